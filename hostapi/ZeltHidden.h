#pragma once

// The host's private interfaces.
#include "hostapi/ZeltCore.h"

namespace ZeltHidden {
// Implemented by the plug-in, beside IStdDirectoryCellCustomController: small images
// (HTML naming the cell controller's image collection) to show with an object.
struct IStdDirectoryCellCustomControllerPriv : IUnknown {
    static constexpr IID iid = zsys::Guid("{9D74AF3E-DB87-46AC-93F4-40248EA6220D}");
    // E_FAIL for a kind that shows no marks; null for an object without any.
    virtual HRESULT CategoryMarks(LONG kind, IUnknown* context, ZeltCore::IHostDirObject* object,
                                  BSTR* text) = 0;
};
} // namespace ZeltHidden
