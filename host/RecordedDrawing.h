#pragma once

#include "platform/ui/DeviceContext.h"

#include <memory>
#include <vector>

namespace host {
// What a drawer drew on a recording context, and the result it answered.
struct RecordedDrawing {
    HRESULT result = S_OK;
    std::vector<zsys::DrawOp> ops;
};

// Has `draw` (HRESULT(HDC)) draw on a fresh recording context, as the front ends show the
// plug-in's own drawing; the context is deleted whatever `draw` does.
template <class Draw> RecordedDrawing Record(Draw draw) {
    const std::unique_ptr<DeviceContextRecord, bool (*)(HDC)> dc(zsys::CreateRecordingDC(), zsys::DeleteDC);
    RecordedDrawing drawing;
    drawing.result = draw(dc.get());
    drawing.ops = zsys::RecordedOps(dc.get());
    return drawing;
}
} // namespace host
