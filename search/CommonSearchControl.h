#pragma once

#include "core/ZeltControlBase.h"

#include <string>
#include <string_view>
#include <utility>

// Where a search control goes and how it is labelled.
struct SearchControlLabels {
    std::u16string placement, tag, caption, tooltip;
};

// What a search control shows and says about itself besides the base's labels.
struct SearchControlTexts {
    int kind = 0;               // whose criterion it adds (criteria::kText, criteria::kCategory)
    std::u16string hint;        // grey while the control is empty
    std::u16string description; // what was searched for, "{name}" standing for the value
    std::u16string criterion;   // the same as XML for the result page
};

// The template with every "{name}" replaced by the escaped value, left to right; a
// replaced value is never searched again.
std::u16string FillTemplate(std::u16string_view textTemplate, std::u16string_view value);

// The search-group side of the notes group's controls: the host reads the control's
// value, lets it add its criterion and asks it what was searched for. A derived class
// reads, adds and empties its own inner control.
template <class Derived, class... Roles>
class CommonSearchControl : public ZeltControlBase<Derived, ZeltCore::ISearchGroupControl, Roles...> {
public:
    HRESULT ReadValue(VARIANT_BOOL* hasValue) noexcept override try {
        if (!hasValue) return E_POINTER;
        *hasValue = Read();
        return S_OK;
    } catch (...) {
        return zsys::Boundary();
    }
    HRESULT HasValue(VARIANT_BOOL* hasValue) noexcept override { return ReadValue(hasValue); }
    HRESULT AddCriteria(ZeltCore::IHostSearchCriteria* criteria, VARIANT_BOOL* added) noexcept override try {
        if (!added) return E_POINTER;
        *added = VARIANT_FALSE;
        if (!criteria) return E_INVALIDARG;
        *added = Add(*criteria) ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    } catch (...) {
        return zsys::Boundary();
    }
    HRESULT CriterionText(BSTR* text) noexcept override { return Fill(texts_.criterion, text); }
    HRESULT DescriptionText(BSTR* text) noexcept override { return Fill(texts_.description, text); }
    HRESULT Clear() noexcept override try {
        value_.clear();
        Empty();
        return S_OK;
    } catch (...) {
        return zsys::Boundary();
    }

    // Makes a control as the notes group has it: labels, place and texts first, then its
    // inner control. Handed back as the container control the host is given; a host
    // failure is raised as a COM error.
    static zsys::ComPtr<ZeltCore::IContainerControl>
    Create(zsys::ComPtr<ZeltCore::IHostView> view, SearchControlLabels labels, SearchControlTexts texts) {
        const auto made = zsys::Make<Derived>(std::move(view));
        CommonSearchControl& control = *made.get();
        control.texts_ = std::move(texts);
        ZeltControlFields& fields = control.Fields();
        fields.SetPlacement(std::move(labels.placement));
        fields.SetTag(std::move(labels.tag));
        fields.SetCaption(std::move(labels.caption));
        fields.SetTooltip(std::move(labels.tooltip));
        control.Init();
        return made.template as<ZeltCore::IContainerControl>();
    }

protected:
    using Base = ZeltControlBase<Derived, ZeltCore::ISearchGroupControl, Roles...>;
    using Base::Base;
    using Base::Fields;

    // Reads the inner control into the value: what ReadValue answers.
    virtual VARIANT_BOOL Read() = 0;
    // Adds the criterion; whether it did.
    virtual bool Add(ZeltCore::IHostSearchCriteria& criteria) = 0;
    // Empties the inner control.
    virtual void Empty() = 0;

    const SearchControlTexts& Texts() const { return texts_; }
    // The value the last read found; empty at first and after Clear.
    const std::u16string& Value() const { return value_; }
    void SetValue(std::u16string value) { value_ = std::move(value); }

private:
    HRESULT Fill(const std::u16string& textTemplate, BSTR* text) const noexcept try {
        if (!text) return E_POINTER;
        *text = nullptr;
        *text = zsys::AllocBstr(FillTemplate(textTemplate, value_));
        return S_OK;
    } catch (...) {
        return zsys::Boundary();
    }

    SearchControlTexts texts_;
    std::u16string value_;
};
