#include "platform/gtk/icon_table.h"

namespace zorvik::gtk {

IconTable::~IconTable() {
  for (auto& [handle, pixbuf] : icons_) g_object_unref(pixbuf);
}

IconHandle IconTable::add(GdkPixbuf* pixbuf) {
  if (pixbuf == nullptr) return 0;
  const IconHandle handle = ++last_;
  icons_[handle] = pixbuf;
  return handle;
}

GdkPixbuf* IconTable::find(IconHandle icon) const {
  const auto it = icons_.find(icon);
  return it == icons_.end() ? nullptr : it->second;
}

bool IconTable::destroy(IconHandle icon) {
  const auto it = icons_.find(icon);
  if (it == icons_.end()) return false;
  g_object_unref(it->second);
  icons_.erase(it);
  return true;
}

}  // namespace zorvik::gtk
