#include "vcl/file_dialog.h"
