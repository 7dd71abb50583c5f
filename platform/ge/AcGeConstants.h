// The geometry's constants, one home for every layer.
#pragma once

constexpr double kPi = 3.14159265358979323846;
