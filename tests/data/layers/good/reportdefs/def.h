#pragma once
#include "drawcmd/page.h"
#include "reports/run.h"
