#include "controls/picture_static_win.h"

#include <oleacc.h>

CPictureStatic::CPictureStatic() : ControlWindow(ROLE_SYSTEM_GRAPHIC) {}
