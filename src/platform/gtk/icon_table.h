#pragma once
// Icon handles on Linux: each names a GdkPixbuf held by this table. The window adapter
// (application icon) and the tray adapter (tray image) issue handles from the same table, so
// either port's destroyIcon releases either kind, as DestroyIcon does.
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <map>

#include "platform/handles.h"

namespace zorvik::gtk {

class IconTable {
 public:
  IconTable() = default;
  ~IconTable();
  IconTable(const IconTable&) = delete;
  IconTable& operator=(const IconTable&) = delete;

  // Takes over the caller's reference; 0 for a null pixbuf.
  IconHandle add(GdkPixbuf* pixbuf);
  // The pixbuf behind a handle (the table keeps its reference), or null.
  GdkPixbuf* find(IconHandle icon) const;
  bool destroy(IconHandle icon);

 private:
  std::map<IconHandle, GdkPixbuf*> icons_;  // each value holds one reference
  IconHandle last_ = 0x1000;
};

}  // namespace zorvik::gtk
