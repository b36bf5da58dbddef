#include "platform/drawing/model.h"
