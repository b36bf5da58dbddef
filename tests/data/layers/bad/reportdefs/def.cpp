#include "reportdefs/def.h"
/* one line */ #include "app/startup.h"
#include "app/startup.h"
