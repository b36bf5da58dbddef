#pragma once
#include "reportdefs/def.h"
#include "reports/run.h"
