// libFuzzer target: the ICO decoder must handle any bytes without reading outside them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/tray_icon.h"

namespace {

// Reads every byte of the image it is handed, so the sanitizer sees any out-of-range slice.
class TouchingTray final : public zorvik::TrayPort {
 public:
  bool shellNotifyIcon(std::uint32_t, const zorvik::NotifyIconRecord&) override { return true; }
  zorvik::IconHandle createIconFromResourceEx(const std::uint8_t* bits, std::uint32_t size, bool,
                                              std::uint32_t, std::int32_t, std::int32_t,
                                              std::uint32_t) override {
    touch(bits, size);
    return 0;  // fails, so the decoder's second attempt is exercised too
  }
  zorvik::IconHandle createIconFromResource(const std::uint8_t* bits, std::uint32_t size, bool,
                                            std::uint32_t) override {
    touch(bits, size);
    return 1;
  }
  void destroyIcon(zorvik::IconHandle) override {}
  std::uint32_t shellRestartMessage() override { return 0; }

 private:
  static void touch(const std::uint8_t* bits, std::uint32_t size) {
    volatile std::uint8_t sum = 0;
    for (std::uint32_t i = 0; i < size; ++i) sum = static_cast<std::uint8_t>(sum + bits[i]);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly `size` bytes, so AddressSanitizer catches a read one past the end.
  std::vector<std::uint8_t> bytes(data, data + size);
  TouchingTray tray;
  for (std::int32_t width : {16, 32}) {
    zorvik::iconFromIcoBytes(tray, bytes.empty() ? nullptr : bytes.data(), bytes.size(), width);
  }
  return 0;
}
