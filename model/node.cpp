#include "model/node.h"
