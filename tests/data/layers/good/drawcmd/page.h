#pragma once
#include "platform/drawing/model.h"
#include "project/data.h"
