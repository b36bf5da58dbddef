#include "platform/numbers.h"
#include "project/modgw.h"
