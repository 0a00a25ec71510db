#include "hexagonal/HexagonalFunction.h"
