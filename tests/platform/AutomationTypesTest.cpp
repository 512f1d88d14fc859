#include "platform/com/Bstr.h"
#include "platform/com/ComObject.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Variant.h"

#include <gtest/gtest.h>

TEST(Bstr, KeepsLengthEmbeddedNulsZeroFillsTextOfNoCharactersAndCountsLiveStrings) {
    const long before = zsys::LiveBstrCount();
    {
        const char16_t text[] = {u'a', 0, u'b'};
        BSTR s = SysAllocStringLen(text, 3);
        EXPECT_EQ(s[3], 0);
        EXPECT_EQ(zsys::View(s), std::u16string_view(text, 3));
        zsys::Bstr owned;
        owned.Attach(s);
        EXPECT_EQ(zsys::LiveBstrCount(), before + 1);
        zsys::Bstr other(u"x");
        *owned.put() = other.Detach();
        EXPECT_EQ(owned.view(), u"x");
        EXPECT_EQ(zsys::LiveBstrCount(), before + 1);
        owned.Attach(SysAllocStringLen(nullptr, 4));
        EXPECT_EQ(owned.view(), std::u16string_view(u"\0\0\0\0", 4));
    }
    EXPECT_EQ(zsys::LiveBstrCount(), before);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    SysFreeString(nullptr);
}

TEST(Variant, ClearCopyAndChangeToString) {
    const long strings = zsys::LiveBstrCount();
    {
        zsys::Variant text(std::u16string_view(u"зелёный"));
        VARIANT copy;
        VariantInit(&copy);
        ASSERT_EQ(VariantCopy(&copy, &text.get()), S_OK);
        EXPECT_NE(copy.bstrVal, text.get().bstrVal) << "a copy owns its own string";
        EXPECT_EQ(zsys::LiveBstrCount(), strings + 2);
        EXPECT_EQ(VariantClear(&copy), S_OK);
        EXPECT_EQ(copy.vt, VT_EMPTY);
        EXPECT_EQ(zsys::Variant(LONG(-42)).ToString(), u"-42");
        EXPECT_EQ(zsys::Variant(true).ToString(), u"True");
        EXPECT_EQ(zsys::Variant().ToString(), u"");
        EXPECT_EQ(text.ToString(), u"зелёный");
        EXPECT_THROW(zsys::Variant::Error(DISP_E_PARAMNOTFOUND).ToString(), zsys::ComError);
    }
    EXPECT_EQ(zsys::LiveBstrCount(), strings);
}

namespace {
class Counted : public zsys::ComObject<Counted, IUnknown> {
    ~Counted() override = default;
};
} // namespace

TEST(Variant, HoldsAReferenceToAnObjectUntilCleared) {
    auto object = zsys::Make<Counted>();
    {
        zsys::Variant v(static_cast<IUnknown*>(object.get()));
        EXPECT_EQ(object->RefCount(), 2u);
        VARIANT copy;
        VariantInit(&copy);
        VariantCopy(&copy, &v.get());
        EXPECT_EQ(object->RefCount(), 3u);
        VariantClear(&copy);
    }
    EXPECT_EQ(object->RefCount(), 1u);
}

TEST(SafeArray, ByteVectorsHoldTheirBytesAndRefuseDestroyWhileAccessed) {
    const long before = zsys::LiveSafeArrayCount();
    const std::uint8_t bytes[] = {0x89, 'P', 'N', 'G'};
    SAFEARRAY* a = zsys::MakeByteArray(bytes);
    EXPECT_EQ(zsys::Bytes(a).size(), 4u);
    EXPECT_EQ(zsys::Bytes(a)[1], 'P');
    void* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(a, &data), S_OK);
    EXPECT_EQ(SafeArrayDestroy(a), E_UNEXPECTED);
    EXPECT_EQ(SafeArrayUnaccessData(a), S_OK);
    EXPECT_EQ(SafeArrayUnaccessData(a), E_UNEXPECTED);
    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(a, &copy), S_OK);
    EXPECT_TRUE(std::equal(zsys::Bytes(copy).begin(), zsys::Bytes(copy).end(), bytes));
    EXPECT_EQ(SafeArrayDestroy(a), S_OK);
    EXPECT_EQ(SafeArrayDestroy(copy), S_OK);
    EXPECT_EQ(zsys::LiveSafeArrayCount(), before);
    EXPECT_EQ(SafeArrayCreateVector(VT_BSTR, 0, 1), nullptr);
}
