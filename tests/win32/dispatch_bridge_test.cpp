// The IDispatch bridge against the hand-written Widget: values both ways, the DISPPARAMS it builds,
// errors as VB reports them, the DISPID cache, identity and type names.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "error_number.hpp"
#include "vb/error.hpp"
#include "win32/dispatch/com_dispatch.hpp"
#include "win32/dispatch/errors.hpp"
#include "win32/dispatch_widget.hpp"

namespace {

using test_support::ErrorNumberOf;
using widget::Widget;

class Bridge : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
  void TearDown() override {
    for (Widget* w : made_) w->Release();
    CoUninitialize();
  }
  // A Widget of a type of its own by default (no other test has filled the cache for it); the
  // test's reference is released at the end.
  Widget* Make(widget::Type type = widget::Type{widget::NewGuid()}) {
    made_.push_back(new Widget(std::move(type)));
    return made_.back();
  }
  static vb::Variant Get(const vb::ObjectRef& o, const char* member, vb::Arguments a = {}) {
    return o->Invoke(member, vb::CallKind::Get, a);
  }
  static vb::Variant Echo(const vb::ObjectRef& o, vb::Variant v) {
    return o->Invoke("Echo", vb::CallKind::Method, {{std::move(v), {}}});
  }
  std::vector<Widget*> made_;
};

// An object of another kind than the bridge's.
class LocalObject : public vb::Dispatch {
 public:
  vb::Variant Invoke(std::string_view, vb::CallKind, const vb::Arguments&) override { return {}; }
  std::string TypeName() const override { return "Local"; }
};

vb::Error ErrorOf(const std::function<void()>& statement) {
  try {
    statement();
  } catch (const vb::Error& error) {
    return error;
  }
  return vb::Error(0, "", "");
}

// Each kind travels as its VARIANT type and comes back unchanged.
TEST_F(Bridge, EveryKindTravelsAsItsVariantType) {
  Widget* w = Make();
  Widget* other = Make();
  const vb::ObjectRef o = win32::FromIDispatch(w);
  const vb::ObjectRef p = win32::FromIDispatch(other);
  const vb::Date date = vb::Date::FromParts(2026, 12, 6, 7, 25, 12);
  const vb::Array items{vb::Variant(std::int32_t{1}), vb::Variant("deux"),
                        vb::Variant(vb::Array{vb::Variant(3.5)})};
  const struct {
    vb::Variant value;
    VARTYPE seen;
  } cases[] = {
      {vb::Variant(), VT_EMPTY},
      {vb::Variant(true), VT_BOOL},
      {vb::Variant(false), VT_BOOL},
      {vb::Variant(std::int16_t{-32768}), VT_I2},
      {vb::Variant(std::int32_t{-2147188160}), VT_I4},
      {vb::Variant(18.5f), VT_R4},
      {vb::Variant(0.1), VT_R8},
      {vb::Variant("Cinéloisirs.ppt — €"), VT_BSTR},
      {vb::Variant(""), VT_BSTR},
      {vb::Variant(date), VT_DATE},
      {vb::Variant::Missing(), VT_ERROR},
      {vb::Variant(items), VT_ARRAY | VT_VARIANT},
      {vb::Variant::Nothing(), VT_DISPATCH},
      {vb::Variant(p), VT_DISPATCH},
  };
  for (const auto& c : cases) {
    const vb::Variant back = Echo(o, c.value);
    EXPECT_EQ(c.seen, w->received.at(0).vt) << c.value.Describe();
    EXPECT_EQ(c.value.type(), back.type()) << c.value.Describe();
    EXPECT_EQ(c.value.Describe(), back.Describe());
  }
  // What the object saw, exactly: True is VARIANT_TRUE (-1), strings UTF-16, dates the serial,
  // Missing DISP_E_PARAMNOTFOUND, an object its very IDispatch.
  Echo(o, true);
  EXPECT_EQ(VARIANT_TRUE, w->received[0].boolVal);
  Echo(o, "Ciné𝄞");
  EXPECT_EQ(std::wstring(L"Cin\u00e9\xD834\xDD1E"), std::wstring(w->received[0].bstrVal));
  Echo(o, date);
  EXPECT_EQ(date.serial, w->received[0].date);
  EXPECT_TRUE(Echo(o, vb::Variant::Missing()).IsMissing());
  EXPECT_EQ(DISP_E_PARAMNOTFOUND, w->received[0].scode);
  EXPECT_TRUE(vb::SameObject(p, Echo(o, p).ToObject()));
  EXPECT_EQ(static_cast<IDispatch*>(other), w->received[0].pdispVal);
  EXPECT_EQ(3.5, Echo(o, items).ToArray().at(2).ToArray().at(0).ToDouble());

  // An object the bridge did not make cannot cross: VB's type mismatch, and nothing is called.
  w->last = {};
  EXPECT_EQ(13, ErrorNumberOf([&] { Echo(o, vb::ObjectRef(std::make_shared<LocalObject>())); }));
  EXPECT_EQ(13, ErrorNumberOf([&] { Echo(o, vb::Array{vb::Variant(std::make_shared<LocalObject>())}); }));
  EXPECT_EQ(0, w->last.member);
}

// VARIANTs a server may send that the bridge never makes: by reference, other numeric types.
TEST(BridgeValues, ByReferenceAndForeignVariantTypesAreRead) {
  VARIANT inner;
  inner.vt = VT_I4;
  inner.lVal = 42;
  BSTR text = SysAllocString(L"é");
  SHORT small = -7;
  VARIANT_BOOL yes = VARIANT_TRUE;
  const struct {
    const char* what;
    std::function<void(VARIANT&)> make;
    vb::Variant expected;
  } cases[] = {
      {"VT_BYREF|VT_VARIANT", [&](VARIANT& v) { v.vt = VT_BYREF | VT_VARIANT, v.pvarVal = &inner; },
       std::int32_t{42}},
      {"VT_BYREF|VT_BSTR", [&](VARIANT& v) { v.vt = VT_BYREF | VT_BSTR, v.pbstrVal = &text; }, "é"},
      {"VT_BYREF|VT_I2", [&](VARIANT& v) { v.vt = VT_BYREF | VT_I2, v.piVal = &small; }, std::int16_t{-7}},
      {"VT_BYREF|VT_BOOL", [&](VARIANT& v) { v.vt = VT_BYREF | VT_BOOL, v.pboolVal = &yes; }, true},
      {"VT_NULL", [](VARIANT& v) { v.vt = VT_NULL; }, vb::Variant()},
      {"VT_UI1", [](VARIANT& v) { v.vt = VT_UI1, v.bVal = 200; }, std::int16_t{200}},
      {"VT_UI4", [](VARIANT& v) { v.vt = VT_UI4, v.ulVal = 4000000000u; }, 4000000000.0},
      {"VT_CY", [](VARIANT& v) { v.vt = VT_CY, v.cyVal.int64 = 123456; }, 12.3456},
      {"VT_ERROR", [](VARIANT& v) { v.vt = VT_ERROR, v.scode = DISP_E_PARAMNOTFOUND; },
       vb::Variant::Missing()},
      {"VT_DECIMAL", [](VARIANT& v) { VarDecFromR8(2.5, &v.decVal), v.vt = VT_DECIMAL; }, 2.5},
  };
  for (const auto& c : cases) {
    VARIANT v;
    VariantInit(&v);
    c.make(v);
    const vb::Variant got = win32::FromVariant(v);
    EXPECT_EQ(c.expected.type(), got.type()) << c.what;
    EXPECT_EQ(c.expected.Describe(), got.Describe()) << c.what;
  }
  SysFreeString(text);
  VARIANT record;
  VariantInit(&record);
  record.vt = VT_RECORD;
  EXPECT_EQ(13, ErrorNumberOf([&] { win32::FromVariant(record); }));
}

// SAFEARRAYs of any element type and lower bound are read; only one dimension.
TEST(BridgeValues, ArraysOfAnyElementTypeInOneDimension) {
  SAFEARRAYBOUND bound{3, 1};  // three elements from 1, as VB's own arrays often start
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ARRAY | VT_I4;
  v.parray = SafeArrayCreate(VT_I4, 1, &bound);
  for (LONG i = 1; i <= 3; ++i) {
    LONG value = i * 10;
    SafeArrayPutElement(v.parray, &i, &value);
  }
  EXPECT_EQ("Array(10, 20, 30)", win32::FromVariant(v).Describe());
  VariantClear(&v);

  v.vt = VT_ARRAY | VT_BSTR;
  v.parray = SafeArrayCreateVector(VT_BSTR, 0, 2);
  LONG i = 1;
  BSTR word = SysAllocString(L"mot");
  SafeArrayPutElement(v.parray, &i, word);  // copied in
  SysFreeString(word);
  const vb::Variant texts = win32::FromVariant(v);
  EXPECT_EQ("", texts.ToArray().at(0).ToString());
  EXPECT_EQ("mot", texts.ToArray().at(1).ToString());
  VariantClear(&v);

  SAFEARRAYBOUND square[2] = {{2, 0}, {2, 0}};
  v.vt = VT_ARRAY | VT_VARIANT;
  v.parray = SafeArrayCreate(VT_VARIANT, 2, square);
  EXPECT_EQ(13, ErrorNumberOf([&] { win32::FromVariant(v); }));
  VariantClear(&v);
}

// Positional arguments go last to first, named ones first with their DISPIDs.
TEST_F(Bridge, PositionalArgumentsGoInReverseAndNamedOnesByTheirDispid) {
  Widget* w = Make();
  const vb::ObjectRef o = win32::FromIDispatch(w);
  auto named = [&](vb::Arguments a) { return o->Invoke("Named", vb::CallKind::Method, a).ToString(); };
  EXPECT_EQ("a=1,b=2,c=3", named({{std::int32_t{1}, {}}, {std::int32_t{2}, {}}, {std::int32_t{3}, {}}}));
  EXPECT_EQ("a=x,b=-,c=z", named({{"x", {}}, {vb::Variant::Missing(), {}}, {"z", {}}}));
  EXPECT_EQ((std::vector<VARTYPE>{VT_BSTR, VT_ERROR, VT_BSTR}), w->last.types);
  EXPECT_EQ("a=x,b=-,c=z", named({{"x", {}}, {"z", "C"}}));
  EXPECT_EQ((std::vector<DISPID>{2}), w->last.named);
  EXPECT_EQ("a=-,b=y,c=z", named({{"z", "c"}, {"y", "b"}}));
  EXPECT_EQ((std::vector<DISPID>{2, 1}), w->last.named);

  // A name the member does not know: VB's "Named argument not found"; an unknown member: 438.
  EXPECT_EQ(448, ErrorNumberOf([&] { named({{"x", "zz"}}); }));
  EXPECT_EQ(438, ErrorNumberOf([&] { Get(o, "Absent"); }));
  EXPECT_EQ(450, ErrorNumberOf([&] { o->Invoke("Echo", vb::CallKind::Method, {}); }));
}

// Reads and calls ask for a result; Let is PROPERTYPUT, Set PROPERTYPUTREF, the value named.
TEST_F(Bridge, ReadsAskForAResultAndAssignmentsUsePropertyPut) {
  Widget* w = Make();
  const vb::ObjectRef o = win32::FromIDispatch(w);
  const vb::ObjectRef other = win32::FromIDispatch(Make());
  Get(o, "Value");
  EXPECT_TRUE((w->last.flags & DISPATCH_PROPERTYGET) && w->last.wants_result);
  o->Invoke("Child", vb::CallKind::Method, {});
  EXPECT_TRUE(w->last.flags & DISPATCH_METHOD);

  o->Invoke("value", vb::CallKind::Put, {{std::int32_t{-2}, {}}});
  EXPECT_EQ(DISPATCH_PROPERTYPUT, w->last.flags);
  EXPECT_EQ((std::vector<DISPID>{DISPID_PROPERTYPUT}), w->last.named);
  EXPECT_FALSE(w->last.wants_result);
  EXPECT_EQ(-2, Get(o, "VALUE").ToLong());
  o->Invoke("Value", vb::CallKind::Put, {{other, {}}});
  EXPECT_EQ(DISPATCH_PROPERTYPUTREF, w->last.flags);
  EXPECT_TRUE(vb::SameObject(other, Get(o, "Value").ToObject()));
  o->Invoke("Value", vb::CallKind::Put, {{vb::Variant::Nothing(), {}}});
  EXPECT_EQ(DISPATCH_PROPERTYPUTREF, w->last.flags);

  // An indexed property: the value first, as the named DISPID_PROPERTYPUT, then the index.
  o->Invoke("Item", vb::CallKind::Put, {{std::int16_t{2}, {}}, {"deux", {}}});
  EXPECT_EQ((std::vector<VARTYPE>{VT_BSTR, VT_I2}), w->last.types);
  EXPECT_EQ("deux", Get(o, "Item", {{std::int16_t{2}, {}}}).ToString());
  EXPECT_EQ(9, ErrorNumberOf([&] { Get(o, "Item", {{std::int16_t{3}, {}}}); }));
  EXPECT_EQ(450, ErrorNumberOf([&] { o->Invoke("Value", vb::CallKind::Put, {}); }));
}

// An error keeps its number, source and description, however the object reports it.
TEST_F(Bridge, ErrorsKeepTheirNumberSourceAndDescription) {
  const vb::ObjectRef o = win32::FromIDispatch(Make());
  const std::string vb_project = vb::kProjectName;
  const struct {
    std::int32_t kind;
    HRESULT hr;
    std::int32_t number;
    std::string source, description;  // "*": any non-empty text
  } cases[] = {
      {1, 0, -2147188160, "PowerPoint", "Shapes.Item : entier hors limites."},  // EXCEPINFO
      {2, 0, -2147188160, "Widget", "Filled in later"},                         // deferred fill-in
      {3, 0, 438, "Widget", "No such thing"},                                   // a VB number as scode
      {4, 0, 1004, "Widget", "Application-defined or object-defined error"},    // wCode only
      {5, RPC_E_CALL_REJECTED, -2147418111, vb_project, "*"},                   // bare HRESULTs
      {5, HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE), -2147023174, vb_project, "*"},
      {5, DISP_E_MEMBERNOTFOUND, 438, vb_project, "*"},
      {5, DISP_E_TYPEMISMATCH, 13, vb_project, "Type mismatch"},
      {5, DISP_E_BADPARAMCOUNT, 450, vb_project, "*"},
      {5, DISP_E_PARAMNOTFOUND, 450, vb_project, "*"},
      {5, static_cast<HRESULT>(0x800A0035), 53, vb_project, "*"},
      {6, 0, static_cast<std::int32_t>(E_FAIL), "Widget", "Told through IErrorInfo"},  // IErrorInfo
  };
  for (const auto& c : cases) {
    const vb::Error e = ErrorOf([&] {
      o->Invoke("Fail", vb::CallKind::Method, {{c.kind, {}}, {static_cast<std::int32_t>(c.hr), {}}});
    });
    const std::string what = "kind " + std::to_string(c.kind) + ", hr " + std::to_string(c.hr);
    EXPECT_EQ(c.number, e.number()) << what;
    EXPECT_EQ(c.source, e.source()) << what;
    if (c.description == "*") {
      EXPECT_FALSE(e.description().empty()) << what;
    } else {
      EXPECT_EQ(c.description, e.description()) << what;
    }
  }
}

// What a served object reports (HRESULT, IErrorInfo, EXCEPINFO) reads back as the same error.
TEST(BridgeErrors, TheServerSideGivesBackWhatTheClientSideReads) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  EXPECT_EQ(static_cast<HRESULT>(0x800A0035),
            win32::ReportError(vb::Error(53, "Fichiers", "Fichier introuvable"), IID_IDispatch));
  IErrorInfo* info = nullptr;
  ASSERT_EQ(S_OK, GetErrorInfo(0, &info));
  BSTR source = nullptr;
  BSTR description = nullptr;
  info->GetSource(&source);
  info->GetDescription(&description);
  EXPECT_EQ("Fichiers", win32::FromBstr(source));
  EXPECT_EQ("Fichier introuvable", win32::FromBstr(description));
  SysFreeString(source);
  SysFreeString(description);
  info->Release();
  EXPECT_EQ(static_cast<HRESULT>(0x80048240),
            win32::ReportError(vb::Error(-2147188160, "P", "D"), IID_IDispatch));

  EXCEPINFO exception;
  win32::FillExcepInfo(vb::Error(438, "Module", "Pas de membre"), &exception);
  const vb::Error back = win32::ErrorFromHresult(DISP_E_EXCEPTION, &exception);
  EXPECT_EQ(438, back.number());
  EXPECT_EQ("Module", back.source());
  EXPECT_EQ("Pas de membre", back.description());
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  CoUninitialize();
}

// One GetIDsOfNames per member (and set of argument names) and type, whatever the object.
TEST_F(Bridge, OneNameLookUpPerMemberAndType) {
  const widget::Type type{widget::NewGuid()};
  Widget* first = Make(type);
  Widget* second = Make(type);
  const vb::ObjectRef a = win32::FromIDispatch(first);
  const vb::ObjectRef b = win32::FromIDispatch(second);
  const std::uint64_t before = win32::NameLookups();
  for (int i = 0; i < 3; ++i) Get(a, "Value");
  a->Invoke("VALUE", vb::CallKind::Put, {{std::int32_t{1}, {}}});
  Get(b, "value");
  EXPECT_EQ(1, first->lookups);
  EXPECT_EQ(0, second->lookups);
  a->Invoke("Named", vb::CallKind::Method, {{"x", "b"}});
  b->Invoke("Named", vb::CallKind::Method, {{"y", "B"}});
  b->Invoke("Named", vb::CallKind::Method, {{"y", "c"}});
  EXPECT_EQ(2, first->lookups);
  EXPECT_EQ(1, second->lookups);
  EXPECT_EQ(3u, win32::NameLookups() - before);
  // A child of the same type reuses them too: only "Child" itself is new.
  Get(Get(a, "Child").ToObject(), "Value");
  EXPECT_EQ(4u, win32::NameLookups() - before);
}

// Another type numbers the same names differently; objects without type information each keep
// their own DISPIDs.
TEST_F(Bridge, TypesWithTheirOwnNumberingAndUntypedObjectsAreNotMixedUp) {
  Widget* widgets[] = {Make(), Make(widget::Type{widget::NewGuid(), L"_Other", 100}),
                       Make(widget::Type{GUID_NULL}), Make(widget::Type{GUID_NULL, L"", 100})};
  std::vector<vb::ObjectRef> objects;
  for (Widget* w : widgets) objects.push_back(win32::FromIDispatch(w));
  for (int round = 0; round < 2; ++round) {
    for (std::int32_t i = 0; i < 4; ++i) objects[i]->Invoke("Value", vb::CallKind::Put, {{i, {}}});
  }
  for (std::int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(i, Get(objects[i], "Value").ToLong()) << i;
    EXPECT_EQ(1, widgets[i]->lookups) << i;
  }
}

// Is compares the objects' IUnknown; TypeName is the type information's name.
TEST_F(Bridge, IdentityIsTheObjectsIUnknownAndTypeNameItsTypeInfosName) {
  Widget* w = Make();
  const vb::ObjectRef o = win32::FromIDispatch(w);
  EXPECT_TRUE(vb::SameObject(o, Get(o, "Twin").ToObject()));
  EXPECT_TRUE(vb::SameObject(o, win32::FromIDispatch(w->twin())));
  EXPECT_FALSE(vb::SameObject(o, Get(o, "Child").ToObject()));
  EXPECT_EQ("Widget", o->TypeName());
  EXPECT_EQ("Object", win32::FromIDispatch(Make(widget::Type{GUID_NULL}))->TypeName());

  // Back to COM: the very pointer, with a reference for the caller; the wrapper holds one of its own.
  IDispatch* back = win32::ToIDispatch(o);
  EXPECT_EQ(static_cast<IDispatch*>(w), back);
  back->Release();
  EXPECT_EQ(nullptr, win32::ToIDispatch(vb::ObjectRef()));
  EXPECT_EQ(13, ErrorNumberOf([&] { win32::ToIDispatch(std::make_shared<LocalObject>()); }));
  const ULONG held = w->references();
  { const vb::ObjectRef extra = win32::FromIDispatch(w); }
  EXPECT_EQ(held, w->references());
}

}  // namespace
