#include "vcl/input_box.h"
