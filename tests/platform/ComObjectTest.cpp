#include "platform/com/ComObject.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace {
struct IFirst : IUnknown {
    static constexpr IID iid = zsys::Guid("{11111111-2222-3333-4444-555555555555}");
    virtual int First() = 0;
};
struct ISecond : IUnknown {
    static constexpr IID iid = zsys::Guid("{66666666-7777-8888-9999-AAAAAAAAAAAA}");
    virtual int Second() = 0;
};
constexpr IID kUnknownIid = zsys::Guid("{DEADBEEF-0000-0000-0000-000000000000}");
struct IOther : IUnknown {
    static constexpr IID iid = kUnknownIid;
};

class Widget : public zsys::ComObject<Widget, IFirst, ISecond> {
public:
    explicit Widget(int* destroyed = nullptr) : destroyed_(destroyed) {}
    int First() override { return 1; }
    int Second() override { return 2; }

private:
    ~Widget() override {
        if (destroyed_) ++*destroyed_;
    }
    int* destroyed_;
};

// Hands out `this` while it is being built: asks itself for an interface and lets it
// go, then registers itself as a sink does with its source.
class SelfRegistering : public zsys::ComObject<SelfRegistering, IFirst> {
public:
    SelfRegistering(zsys::ComPtr<IFirst>& registry, int* destroyed) : destroyed_(destroyed) {
        zsys::ComPtr<IUnknown> self;
        QueryInterface(IUnknown::iid, self.put_void());
        self = nullptr;
        registry = zsys::ComPtr<IFirst>(this);
    }
    int First() override { return 1; }

private:
    ~SelfRegistering() override { ++*destroyed_; }
    int* destroyed_;
};

// Up the interface hierarchy converts implicitly; down or across it does not build.
static_assert(std::is_convertible_v<zsys::ComPtr<Widget>, zsys::ComPtr<IFirst>>);
static_assert(!std::is_constructible_v<zsys::ComPtr<Widget>, const zsys::ComPtr<IFirst>&>);
static_assert(!std::is_constructible_v<zsys::ComPtr<Widget>, zsys::ComPtr<IFirst>&&>);
static_assert(!std::is_constructible_v<zsys::ComPtr<ISecond>, const zsys::ComPtr<IFirst>&>);

// An operation the other side calls, ending in the boundary.
HRESULT Operation(void (*fail)()) noexcept try {
    fail();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
constexpr unsigned kBoundaryLine = __LINE__ - 2;
} // namespace

TEST(Guid, ParsesFormatsAndCompares) {
    constexpr GUID g = zsys::Guid("{1FA777FF-10EF-434B-A735-99C6BFEB06D1}");
    EXPECT_EQ(g.Data1, 0x1FA777FFu);
    EXPECT_EQ(g.Data4[7], 0xD1);
    EXPECT_EQ(zsys::FormatGuid(g), "{1FA777FF-10EF-434B-A735-99C6BFEB06D1}");
    EXPECT_EQ(zsys::TryParseGuid("1fa777ff-10ef-434b-a735-99c6bfeb06d1"), g);
    EXPECT_FALSE(zsys::TryParseGuid("{1FA777FF-10EF-434B-A735-99C6BFEB06D}"));
    EXPECT_FALSE(zsys::TryParseGuid("{1FA777FF+10EF-434B-A735-99C6BFEB06D1}"));
    EXPECT_FALSE(zsys::TryParseGuid("{1FA777FF-10EF-434B-A735-99C6BFEB06DG}"));
    EXPECT_FALSE(g == IUnknown::iid);
}

// A hit, an alias answered by the same pointer and one identity for IUnknown are seen through
// the host, on the card commands and the search group; that the last release destroys the object
// and unlocks its module, in the host's accounting after every run.
TEST(ComObject, OutPointersAreClearedOnAMissRefusedWhenNullAndGivenAReferenceOfTheirOwn) {
    auto w = zsys::Make<Widget>();
    void* p = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(w->QueryInterface(kUnknownIid, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(w->QueryInterface(IFirst::iid, nullptr), E_POINTER);
    EXPECT_EQ(w->RefCount(), 1u);
    // A ComPtr copies itself out as any base interface.
    ISecond* out = nullptr;
    ASSERT_EQ(w.CopyTo(&out), S_OK);
    EXPECT_EQ(out, static_cast<ISecond*>(w.get()));
    EXPECT_EQ(w->RefCount(), 2u);
    out->Release();
    EXPECT_EQ(w.CopyTo(static_cast<IFirst**>(nullptr)), E_POINTER);
    IFirst* none = reinterpret_cast<IFirst*>(0x1);
    EXPECT_EQ(zsys::ComPtr<IFirst>().CopyTo(&none), S_OK);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(w->RefCount(), 1u);
}

TEST(ComObject, ConstructorHandingOutThisLeavesTheObjectAlive) {
    int destroyed = 0;
    zsys::ComPtr<IFirst> registry;
    auto object = zsys::Make<SelfRegistering>(registry, &destroyed);
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(object->RefCount(), 2u) << "the registry's reference and the one Make hands back";
    registry = nullptr;
    EXPECT_EQ(destroyed, 0);
    object = nullptr;
    EXPECT_EQ(destroyed, 1);
}

TEST(ComPtr, AsRaisesOnMissingInterfaceAndTryAsGivesNull) {
    zsys::ComPtr<IFirst> first = zsys::Make<Widget>().as<IFirst>();
    EXPECT_FALSE(first.try_as<IOther>());
    try {
        first.as<IOther>();
        FAIL() << "as<> must raise";
    } catch (const zsys::ComError& e) {
        EXPECT_EQ(e.code(), E_NOINTERFACE);
        EXPECT_EQ(e.iid(), kUnknownIid);
    }
    zsys::ComPtr<IFirst> none;
    EXPECT_THROW(none.as<IFirst>(), zsys::ComError);
}

TEST(ComPtr, CopyMoveAssignAndDetachKeepCountsExact) {
    int destroyed = 0;
    auto w = zsys::Make<Widget>(&destroyed);
    Widget* raw = w.get();
    {
        zsys::ComPtr<Widget> copy = w;
        EXPECT_EQ(raw->RefCount(), 2u);
        const auto& same = copy;
        copy = same; // self-assignment keeps the reference
        EXPECT_EQ(raw->RefCount(), 2u);
        zsys::ComPtr<IFirst> moved = std::move(copy);
        EXPECT_EQ(raw->RefCount(), 2u);
        IFirst* detached = moved.detach();
        EXPECT_EQ(raw->RefCount(), 2u);
        zsys::ComPtr<IFirst> adopted;
        adopted.attach(detached);
    }
    EXPECT_EQ(raw->RefCount(), 1u);
    w = nullptr;
    EXPECT_EQ(destroyed, 1);
}

TEST(ComError, CheckRaisesFailuresAndRequiredRaisesEPointerOfTheWantedInterface) {
    EXPECT_NO_THROW(zsys::Check(S_FALSE, IFirst::iid));
    EXPECT_THROW(zsys::Check(E_FAIL, IFirst::iid), zsys::ComError);
    const auto raised = [](auto&& missing) -> IID {
        try {
            zsys::Required(missing);
        } catch (const zsys::ComError& e) {
            EXPECT_EQ(e.code(), E_POINTER);
            return e.iid();
        }
        return GUID_NULL;
    };
    EXPECT_EQ(raised(static_cast<ISecond*>(nullptr)), ISecond::iid);
    EXPECT_EQ(raised(zsys::ComPtr<IFirst>()), IFirst::iid);
    const zsys::ComPtr<IFirst> held = zsys::Make<Widget>();
    EXPECT_EQ(zsys::Required(held).get(), held.get());
}

TEST(ComError, BoundaryTurnsWhatItCatchesIntoAResultAndSaysWhereOnlyWhenAsked) {
    unsetenv("VESK_LOG_BOUNDARY");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Operation([] { throw std::bad_alloc(); }), E_FAIL);
    EXPECT_EQ(Operation([] { throw 42; }), E_FAIL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    setenv("VESK_LOG_BOUNDARY", "1", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Operation([] { throw zsys::ComError(E_INVALIDARG, IFirst::iid); }), E_FAIL);
    EXPECT_EQ(Operation([] { throw std::runtime_error("disk full"); }), E_FAIL);
    const std::string log = testing::internal::GetCapturedStderr();
    unsetenv("VESK_LOG_BOUNDARY");
    const std::string where = __FILE__ ":" + std::to_string(kBoundaryLine) + " in ";
    EXPECT_NE(log.find(where), std::string::npos) << log;
    EXPECT_NE(log.find("Operation"), std::string::npos) << log;
    EXPECT_NE(log.find("COM error 0x80070057 from {11111111-2222-3333-4444-555555555555}"), std::string::npos)
        << log;
    EXPECT_NE(log.find("disk full"), std::string::npos) << log;
}
