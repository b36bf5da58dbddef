#pragma once
#include "drawwin/state.h"
#include "reports/forms/frmrun.h"
#include <QtWidgets>
