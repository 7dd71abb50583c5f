#pragma once

#include <vector>

typedef std::vector<double> AcGeDoubleArray;
