#include "system/EError.h"
