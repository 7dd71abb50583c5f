#include "AcDbHyperlink.h"

AcDbHyperlink::AcDbHyperlink(const std::wstring& name, const std::wstring& description,
                             const std::wstring& subLocation)
    : m_name(name), m_description(description), m_subLocation(subLocation) {}
