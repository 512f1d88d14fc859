#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Types.h"

#include <vector>

namespace host {
class HostComboBox;
class HostEditBox;
class HostSearchTab;
class HostView;

// A search run from the search tab, as its Find button runs it: the host's name box and
// every control of the tab that holds a value give their criteria, and the organisation
// page shows what they find.
namespace tab_search {
// Reads every control (ReadValue), lets each that has a value add its criterion and say
// what it searched for, then shows the result. S_FALSE, showing nothing, when nothing on
// the tab has a value; a failing call of a control or of ShowResults is returned.
HRESULT Run(HostView& view);

// Empties the host's name box and has every control of the tab that can clear itself do
// so, as the tab's Clear button does. The first failing Clear is returned; the controls
// after it are left as they are.
HRESULT Clear(HostSearchTab& tab);

// The host's standard control that one of the tab's controls wraps; null when it wraps none.
zsys::ComPtr<ZeltCore::IHostStandardControl> InnerControl(const zsys::ComPtr<IUnknown>& control);

// The host's standard controls behind the tab's controls, in the order of the tab.
std::vector<zsys::ComPtr<HostEditBox>> EditBoxes(const HostSearchTab& tab);
std::vector<zsys::ComPtr<HostComboBox>> ComboBoxes(const HostSearchTab& tab);
} // namespace tab_search
} // namespace host
