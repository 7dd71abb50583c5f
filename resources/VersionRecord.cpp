#include "resources/VersionRecord.h"

std::wstring CVersionRecord::moduleVersion() { return L"64.04.04.00"; }

std::wstring CVersionRecord::buildDate() { return L"" __DATE__; }

std::wstring CVersionRecord::cadVersion() { return L"BricsCAD 18 64bit"; }
