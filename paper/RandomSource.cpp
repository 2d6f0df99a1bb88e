#include "paper/RandomSource.h"
