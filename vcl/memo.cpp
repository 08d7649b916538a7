#include "vcl/memo.h"
