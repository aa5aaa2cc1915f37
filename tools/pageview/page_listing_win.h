// What the viewer prints about a loaded page when asked: the page window's
// facts and, for every control record, the record and its window, read from
// inside the process (a font handle of another process cannot be read).
//
// One line each, fields separated by tabs:
//   page  caption  style  exstyle  window rect (screen)  client size  controls  page font
//   control  record  id  id name  kind  kind index  class  style  exstyle
//            window rect (page client)  registered rect  text  font
// Rectangles are "left,top,right,bottom", sizes "width,height", styles
// "0x" and eight hex digits, fonts "face,height,weight,italic,underline"
// ("-" for none). Tabs and line ends inside texts become blanks.
#pragma once

#include <vector>

#include "framework/cstring.h"

class CSkinDialog;

std::vector<CString> ListPage(CSkinDialog& page);
