#pragma once
#include "platform/base.h"
#include <QImage>
