#include "core/HostWalks.h"

#include "platform/com/Bstr.h"

namespace host_walks {
using namespace ZeltCore;

zsys::ComPtr<IHostFrame> FrameOf(IHostView& view) {
    zsys::ComPtr<IHostFrame> frame;
    zsys::CheckOn<IHostView>(view.Frame(frame.put()));
    return zsys::Required(frame);
}

zsys::ComPtr<IHostSearchTab> SearchTabOf(IHostView& view) {
    zsys::ComPtr<IHostTabs> tabs;
    zsys::CheckOn<IHostFrame>(FrameOf(view)->Tabs(tabs.put()));
    zsys::ComPtr<IUnknown> tab;
    zsys::CheckOn<IHostTabs>(zsys::Required(tabs)->Tab(zsys::Bstr(kSearchTab).get(), tab.put()));
    return zsys::Required(tab).as<IHostSearchTab>();
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
