// The page controls that look like the system's own: one class per page kind
// all the same, so that the page holds an object of a class of its own for
// every control it makes.
#pragma once

#include "framework/controls_win.h"

class CPageComboBox : public CComboBox {};          // COMBOBOX
class CPageEdit : public CEdit {};                  // TEXTBOX
class CPageProgressCtrl : public CProgressCtrl {};  // PROGRESS
class CPageRichEditCtrl : public CRichEditCtrl {};  // RICHTEXT
class CPageTreeCtrl : public CTreeCtrl {};          // TREEVIEW
