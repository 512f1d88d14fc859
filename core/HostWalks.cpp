#include "core/HostWalks.h"

namespace host_walks {
using namespace ZeltCore;

zsys::ComPtr<IHostFrame> FrameOf(IHostView& view) {
    zsys::ComPtr<IHostFrame> frame;
    zsys::CheckOn<IHostView>(view.Frame(frame.put()));
    return zsys::Required(frame);
}

zsys::ComPtr<IHostSearchView> SearchViewOf(IHostView& view) {
    zsys::ComPtr<IHostSearchView> results;
    zsys::CheckOn<IHostFrame>(FrameOf(view)->SearchView(results.put()));
    return zsys::Required(results);
}

zsys::ComPtr<IHostMap> MapOf(IHostView& view) {
    zsys::ComPtr<IHostMap> map;
    zsys::CheckOn<IHostFrame>(FrameOf(view)->Map(map.put()));
    return zsys::Required(map);
}
} // namespace host_walks
