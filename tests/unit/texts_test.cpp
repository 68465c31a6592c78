// Every text of the program is the code page 936 spelling of its readable form.
#include "app/texts.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace zorvik::test {
namespace {

std::string toCp936(const std::string& utf8) {
  iconv_t cd = iconv_open("CP936", "UTF-8");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* o = out.data();
  std::size_t outLeft = out.size();
  EXPECT_NE(iconv(cd, &in, &inLeft, &o, &outLeft), static_cast<std::size_t>(-1)) << utf8;
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

TEST(Texts, AreCodePage936Bytes) {
  const std::vector<std::pair<const char*, std::string>> cases = {
      {texts::FatalTitle, "错误"},
      {texts::FatalHeader, "运行时出错!"},
      {texts::FatalCodeLabel, "错误代码："},
      {texts::FatalMessageLabel, "错误信息："},
      {texts::LoadTemplatesFailed, "载入窗口模板数据段出错!"},
      {texts::LoadStartWindowFailed, "载入启动窗口失败"},
      {texts::AllocFailedFormat, "分配 %d 字节内存失败!"},
      {texts::StackError, "调用DLL命令后发现堆栈错误"},
      {texts::BindFailedFormat, "无法找到指定DLL库文件“%s”中的输出命令“%s”"},
      {texts::ViewMissing, "指定窗口或窗口组件不存在或尚未载入"},
      {texts::MainWindowTitle, "Zorvik m.tamblo.com"},
      {texts::HomeSite, "m.tamblo.com"},
      {texts::HomeSiteUrl, "http://m.tamblo.com"},
      {texts::TrayTip, "Tamblo笑话客户端"},
      {texts::MenuTray, "托盘菜单"},
      {texts::MenuSite, "Tamblo网"},
      {texts::MenuSeparator, "-"},
      {texts::MenuShow, "显示"},
      {texts::MenuHide, "隐藏"},
      {texts::MenuExit, "退出"},
      {texts::BrowserBoxName, "超文本浏览框1"},
      {texts::MobileUserAgent,
       "Mozilla/5.0 (Linux; U; Android 2.2; en-us; Nexus One Build/FRF91) AppleWebKit/533.1 "
       "(KHTML, like Gecko) Version/4.0 Mobile Safari/533.1"},
      {texts::IeWindowTitle, "Microsoft Internet Explorer"},
  };
  for (const auto& [text, utf8] : cases) EXPECT_EQ(std::string(text), toCp936(utf8)) << utf8;
}

}  // namespace
}  // namespace zorvik::test
