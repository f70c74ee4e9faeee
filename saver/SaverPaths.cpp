#include "saver/SaverPaths.h"
