#include "search/EditBoxSearchByNode.h"

#include "search/SearchCriteria.h"

namespace {
using namespace ZeltCore;

constexpr LONG kEditBoxKind = 1;
} // namespace

void EditBoxSearchByNode::Init() {
    zsys::ComPtr<IHostFactory> factory;
    zsys::CheckOn<IHostView>(Fields().View().Factory(factory.put()));
    const auto controls = zsys::Required(factory).as<IHostControlFactory>();
    zsys::ComPtr<IUnknown> control;
    zsys::CheckOn<IHostControlFactory>(controls->CreateStandardControl(kEditBoxKind, control.put()));
    Fields().SetControl(zsys::Required(control));
    zsys::CheckOn<IHostControlText>(control.as<IHostControlText>()->SetHint(zsys::Bstr(Texts().hint).get()));
}

zsys::ComPtr<IHostEditBox> EditBoxSearchByNode::EditBox() const {
    return zsys::ComPtr<IUnknown>(&Fields().Control()).as<IHostEditBox>();
}

VARIANT_BOOL EditBoxSearchByNode::Read() {
    zsys::Bstr text;
    zsys::CheckOn<IHostEditBox>(EditBox()->GetText(text.put()));
    SetValue(text.str());
    return Value().empty() ? VARIANT_FALSE : VARIANT_TRUE;
}

bool EditBoxSearchByNode::Add(IHostSearchCriteria& search) {
    const zsys::Variant value(Value());
    zsys::CheckOn<IHostSearchCriteria>(
        search.Add(zsys::Bstr(criteria::Identifier(criteria::kText)).get(), value.get()));
    return true;
}

void EditBoxSearchByNode::Empty() {
    zsys::CheckOn<IHostEditBox>(EditBox()->SetText(zsys::Bstr(u"").get()));
}
