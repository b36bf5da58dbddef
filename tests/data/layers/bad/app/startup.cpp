#include "app/startup.h"
#include "reportdefs/forms/frmwellsum.h"
