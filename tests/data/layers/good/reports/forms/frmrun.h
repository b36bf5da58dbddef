#pragma once
#include "platform/gui/box.h"
#include "reports/run.h"
#include <QDialog>
