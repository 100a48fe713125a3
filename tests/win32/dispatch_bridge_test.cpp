// The IDispatch bridge against the hand-written Widget: values both ways, the DISPPARAMS it builds,
// errors as VB reports them, the DISPID cache, identity and type names.
#include <gtest/gtest.h>

#include <cstdint>
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

  // A Widget of a type of its own (so that no other test has filled the cache for it) and its
  // wrapper; the test's reference is released at the end.
  Widget* Make(widget::Type type) {
    made_.push_back(new Widget(std::move(type)));
    return made_.back();
  }
  Widget* Make() { return Make(widget::Type{widget::NewGuid()}); }

  static vb::Variant Get(const vb::ObjectRef& o, const char* member, vb::Arguments a = {}) {
    return o->Invoke(member, vb::CallKind::Get, a);
  }
  static vb::Variant Echo(const vb::ObjectRef& o, vb::Variant v) {
    return o->Invoke("Echo", vb::CallKind::Method, {{std::move(v), {}}});
  }

  std::vector<Widget*> made_;
};

// A stand-in for an object of another kind than the bridge's.
class LocalObject : public vb::Dispatch {
 public:
  vb::Variant Invoke(std::string_view, vb::CallKind, const vb::Arguments&) override { return {}; }
  std::string TypeName() const override { return "Local"; }
};

TEST_F(Bridge, EveryKindTravelsAsItsVariantTypeAndComesBackUnchanged) {
  Widget* w = Make();
  const vb::ObjectRef o = win32::FromIDispatch(w);
  const vb::Date date = vb::Date::FromParts(2026, 12, 6, 7, 25, 12);
  struct Case {
    vb::Variant value;
    VARTYPE seen;
  };
  const Case cases[] = {
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
  };
  for (const Case& c : cases) {
    const vb::Variant back = Echo(o, c.value);
    EXPECT_EQ(c.seen, w->received.at(0).vt) << c.value.Describe();
    EXPECT_EQ(c.value.type(), back.type()) << c.value.Describe();
    EXPECT_EQ(c.value.Describe(), back.Describe());
  }
  // What the object saw, exactly: True is VARIANT_TRUE (-1), strings are UTF-16, dates the serial.
  Echo(o, true);
  EXPECT_EQ(VARIANT_TRUE, w->received[0].boolVal);
  Echo(o, "Ciné𝄞");
  EXPECT_EQ(std::wstring(L"Cin\u00e9\xD834\xDD1E"), std::wstring(w->received[0].bstrVal));
  Echo(o, date);
  EXPECT_EQ(date.serial, w->received[0].date);
  EXPECT_EQ(0.1, Echo(o, 0.1).ToDouble());
}

TEST_F(Bridge, ObjectsNothingMissingAndArraysTravelToo) {
  Widget* w = Make();
  Widget* other = Make();
  const vb::ObjectRef o = win32::FromIDispatch(w);
  const vb::ObjectRef p = win32::FromIDispatch(other);

  const vb::Variant back = Echo(o, p);
  EXPECT_EQ(VT_DISPATCH, w->received[0].vt);
  EXPECT_EQ(static_cast<IDispatch*>(other), w->received[0].pdispVal);
  EXPECT_TRUE(vb::SameObject(p, back.ToObject()));

  EXPECT_FALSE(Echo(o, vb::Variant::Nothing()).ToObject());
  EXPECT_EQ(VT_DISPATCH, w->received[0].vt);
  EXPECT_EQ(nullptr, w->received[0].pdispVal);

  EXPECT_TRUE(Echo(o, vb::Variant::Missing()).IsMissing());
  EXPECT_EQ(VT_ERROR, w->received[0].vt);
  EXPECT_EQ(DISP_E_PARAMNOTFOUND, w->received[0].scode);

  const vb::Array items{vb::Variant(std::int32_t{1}), vb::Variant("deux"),
                        vb::Variant(vb::Array{vb::Variant(3.5)})};
  const vb::Variant array = Echo(o, items);
  EXPECT_EQ(VT_ARRAY | VT_VARIANT, w->received[0].vt);
  ASSERT_EQ(vb::VarType::Array, array.type());
  ASSERT_EQ(3u, array.ToArray().size());
  EXPECT_EQ("deux", array.ToArray()[1].ToString());
  EXPECT_EQ(3.5, array.ToArray()[2].ToArray().at(0).ToDouble());

  // An object the bridge did not make cannot cross: VB's type mismatch, and nothing is called.
  w->last = {};
  EXPECT_EQ(13, ErrorNumberOf([&] { Echo(o, vb::ObjectRef(std::make_shared<LocalObject>())); }));
  EXPECT_EQ(13, ErrorNumberOf([&] { Echo(o, vb::Array{vb::Variant(std::make_shared<LocalObject>())}); }));
  EXPECT_EQ(0, w->last.member);
}

TEST(BridgeValues, ByReferenceAndForeignVariantTypesAreRead) {
  VARIANT inner;
  VariantInit(&inner);
  inner.vt = VT_I4;
  inner.lVal = 42;
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_BYREF | VT_VARIANT;
  ref.pvarVal = &inner;
  EXPECT_EQ(vb::VarType::Long, win32::FromVariant(ref).type());
  EXPECT_EQ(42, win32::FromVariant(ref).ToLong());

  BSTR text = SysAllocString(L"é");
  ref.vt = VT_BYREF | VT_BSTR;
  ref.pbstrVal = &text;
  EXPECT_EQ("é", win32::FromVariant(ref).ToString());
  SysFreeString(text);
  SHORT small = -7;
  ref.vt = VT_BYREF | VT_I2;
  ref.piVal = &small;
  EXPECT_EQ(vb::VarType::Integer, win32::FromVariant(ref).type());
  EXPECT_EQ(-7, win32::FromVariant(ref).ToInteger());
  VARIANT_BOOL yes = VARIANT_TRUE;
  ref.vt = VT_BYREF | VT_BOOL;
  ref.pboolVal = &yes;
  EXPECT_TRUE(win32::FromVariant(ref).ToBool());

  VARIANT v;
  VariantInit(&v);
  v.vt = VT_NULL;
  EXPECT_TRUE(win32::FromVariant(v).IsEmpty());
  v.vt = VT_UI1;
  v.bVal = 200;
  EXPECT_EQ(vb::VarType::Integer, win32::FromVariant(v).type());
  EXPECT_EQ(200, win32::FromVariant(v).ToLong());
  v.vt = VT_UI4;
  v.ulVal = 4000000000u;
  EXPECT_EQ(4000000000.0, win32::FromVariant(v).ToDouble());
  v.vt = VT_CY;
  v.cyVal.int64 = 123456;
  EXPECT_EQ(12.3456, win32::FromVariant(v).ToDouble());
  v.vt = VT_ERROR;
  v.scode = DISP_E_PARAMNOTFOUND;
  EXPECT_TRUE(win32::FromVariant(v).IsMissing());
  v.vt = VT_RECORD;
  EXPECT_EQ(13, ErrorNumberOf([&] { win32::FromVariant(v); }));
  VariantInit(&v);
  VarDecFromR8(2.5, &v.decVal);
  v.vt = VT_DECIMAL;
  EXPECT_EQ(2.5, win32::FromVariant(v).ToDouble());
}

TEST(BridgeValues, ArraysOfAnyElementTypeAreReadButOnlyInOneDimension) {
  SAFEARRAYBOUND bound{3, 1};  // three elements from 1, as VB's own arrays often start
  SAFEARRAY* numbers = SafeArrayCreate(VT_I4, 1, &bound);
  for (LONG i = 1; i <= 3; ++i) {
    LONG value = i * 10;
    SafeArrayPutElement(numbers, &i, &value);
  }
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_ARRAY | VT_I4;
  v.parray = numbers;
  const vb::Variant read = win32::FromVariant(v);
  ASSERT_EQ(3u, read.ToArray().size());
  EXPECT_EQ(10, read.ToArray()[0].ToLong());
  EXPECT_EQ(30, read.ToArray()[2].ToLong());
  VariantClear(&v);

  SAFEARRAY* words = SafeArrayCreateVector(VT_BSTR, 0, 2);
  LONG i = 1;
  SafeArrayPutElement(words, &i, SysAllocString(L"mot"));  // copied in; the original leaks in a test only
  v.vt = VT_ARRAY | VT_BSTR;
  v.parray = words;
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

TEST_F(Bridge, PositionalArgumentsGoInReverseAndNamedOnesByTheirDispid) {
  Widget* w = Make();
  const vb::ObjectRef o = win32::FromIDispatch(w);
  auto named = [&](vb::Arguments a) { return o->Invoke("Named", vb::CallKind::Method, a).ToString(); };
  EXPECT_EQ("a=1,b=2,c=3", named({{std::int32_t{1}, {}}, {std::int32_t{2}, {}}, {std::int32_t{3}, {}}}));
  EXPECT_EQ((std::vector<VARTYPE>{VT_I4, VT_I4, VT_I4}), w->last.types);
  EXPECT_EQ("a=x,b=-,c=z", named({{"x", {}}, {vb::Variant::Missing(), {}}, {"z", {}}}));
  EXPECT_EQ((std::vector<VARTYPE>{VT_BSTR, VT_ERROR, VT_BSTR}), w->last.types);

  EXPECT_EQ("a=x,b=-,c=z", named({{"x", {}}, {"z", "C"}}));
  EXPECT_EQ((std::vector<DISPID>{2}), w->last.named);
  EXPECT_EQ("a=-,b=y,c=z", named({{"z", "c"}, {"y", "b"}}));
  EXPECT_EQ((std::vector<DISPID>{2, 1}), w->last.named);
  EXPECT_EQ(VT_BSTR, w->last.types.at(0));

  // A name the member does not know: VB's "Named argument not found"; an unknown member: 438.
  EXPECT_EQ(448, ErrorNumberOf([&] { named({{"x", "zz"}}); }));
  EXPECT_EQ(438, ErrorNumberOf([&] { Get(o, "Absent"); }));
  EXPECT_EQ(450, ErrorNumberOf([&] { o->Invoke("Echo", vb::CallKind::Method, {}); }));
}

TEST_F(Bridge, ReadsAndCallsAskForAResultAndAssignmentsUsePropertyPut) {
  Widget* w = Make();
  Widget* other = Make();
  const vb::ObjectRef o = win32::FromIDispatch(w);

  Get(o, "Value");
  EXPECT_TRUE(w->last.flags & DISPATCH_PROPERTYGET);
  EXPECT_TRUE(w->last.wants_result);
  o->Invoke("Child", vb::CallKind::Method, {});
  EXPECT_TRUE(w->last.flags & DISPATCH_METHOD);

  o->Invoke("value", vb::CallKind::Put, {{std::int32_t{-2}, {}}});
  EXPECT_EQ(DISPATCH_PROPERTYPUT, w->last.flags);
  EXPECT_EQ((std::vector<DISPID>{DISPID_PROPERTYPUT}), w->last.named);
  EXPECT_FALSE(w->last.wants_result);
  EXPECT_EQ(-2, Get(o, "VALUE").ToLong());

  o->Invoke("Value", vb::CallKind::Put, {{win32::FromIDispatch(other), {}}});
  EXPECT_EQ(DISPATCH_PROPERTYPUTREF, w->last.flags);
  EXPECT_TRUE(vb::SameObject(win32::FromIDispatch(other), Get(o, "Value").ToObject()));
  o->Invoke("Value", vb::CallKind::Put, {{vb::Variant::Nothing(), {}}});
  EXPECT_EQ(DISPATCH_PROPERTYPUTREF, w->last.flags);

  // An indexed property: the value first, as the named DISPID_PROPERTYPUT, then the index.
  o->Invoke("Item", vb::CallKind::Put, {{std::int16_t{2}, {}}, {"deux", {}}});
  EXPECT_EQ((std::vector<VARTYPE>{VT_BSTR, VT_I2}), w->last.types);
  EXPECT_EQ("deux", Get(o, "Item", {{std::int16_t{2}, {}}}).ToString());
  EXPECT_EQ(9, ErrorNumberOf([&] { Get(o, "Item", {{std::int16_t{3}, {}}}); }));
  EXPECT_EQ(450, ErrorNumberOf([&] { o->Invoke("Value", vb::CallKind::Put, {}); }));
}

vb::Error ErrorOf(const std::function<void()>& statement) {
  try {
    statement();
  } catch (const vb::Error& error) {
    return error;
  }
  return vb::Error(0, "", "");
}

TEST_F(Bridge, ExceptionsKeepTheirNumberSourceAndDescription) {
  const vb::ObjectRef o = win32::FromIDispatch(Make());
  auto fail = [&](std::int32_t kind, std::int32_t hr = 0) {
    return ErrorOf([&] { o->Invoke("Fail", vb::CallKind::Method, {{kind, {}}, {hr, {}}}); });
  };
  const vb::Error powerpoint = fail(1);
  EXPECT_EQ(-2147188160, powerpoint.number());
  EXPECT_EQ("PowerPoint", powerpoint.source());
  EXPECT_EQ("Shapes.Item : entier hors limites.", powerpoint.description());

  const vb::Error deferred = fail(2);
  EXPECT_EQ(-2147188160, deferred.number());
  EXPECT_EQ("Widget", deferred.source());
  EXPECT_EQ("Filled in later", deferred.description());

  const vb::Error own = fail(3);
  EXPECT_EQ(438, own.number());
  EXPECT_EQ("No such thing", own.description());
  const vb::Error code = fail(4);
  EXPECT_EQ(1004, code.number());
  EXPECT_EQ("Widget", code.source());
  EXPECT_EQ("Application-defined or object-defined error", code.description());
}

TEST_F(Bridge, BareHresultsKeepTheirNumbersOrBecomeVbsOwn) {
  const vb::ObjectRef o = win32::FromIDispatch(Make());
  auto fail = [&](HRESULT hr) {
    return ErrorOf([&] {
      o->Invoke("Fail", vb::CallKind::Method, {{std::int32_t{5}, {}}, {static_cast<std::int32_t>(hr), {}}});
    });
  };
  const vb::Error rejected = fail(RPC_E_CALL_REJECTED);
  EXPECT_EQ(-2147418111, rejected.number());
  EXPECT_EQ(vb::kProjectName, rejected.source());
  EXPECT_FALSE(rejected.description().empty());
  EXPECT_EQ(-2147023174, fail(HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)).number());
  EXPECT_EQ(438, fail(DISP_E_MEMBERNOTFOUND).number());
  EXPECT_EQ(13, fail(DISP_E_TYPEMISMATCH).number());
  EXPECT_EQ("Type mismatch", fail(DISP_E_TYPEMISMATCH).description());
  EXPECT_EQ(450, fail(DISP_E_BADPARAMCOUNT).number());
  EXPECT_EQ(450, fail(DISP_E_PARAMNOTFOUND).number());
  EXPECT_EQ(53, fail(static_cast<HRESULT>(0x800A0035)).number());

  // The object's IErrorInfo tells more than the bare HRESULT.
  const vb::Error told = ErrorOf([&] { o->Invoke("Fail", vb::CallKind::Method, {{std::int32_t{6}, {}}}); });
  EXPECT_EQ(static_cast<std::int32_t>(E_FAIL), told.number());
  EXPECT_EQ("Widget", told.source());
  EXPECT_EQ("Told through IErrorInfo", told.description());
}

TEST(BridgeErrors, TheServerSideGivesBackWhatTheClientSideReads) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  const vb::Error file(53, "Fichiers", "Fichier introuvable");
  EXPECT_EQ(static_cast<HRESULT>(0x800A0035), win32::ReportError(file, IID_IDispatch));
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
  // Named arguments are looked up with their member, once for each set of names.
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

TEST_F(Bridge, TypesWithTheirOwnNumberingAndUntypedObjectsAreNotMixedUp) {
  // Another type numbers the same names differently: it must be asked for its own DISPIDs.
  Widget* plain = Make();
  Widget* shifted = Make(widget::Type{widget::NewGuid(), L"_Other", 100});
  const vb::ObjectRef a = win32::FromIDispatch(plain);
  const vb::ObjectRef b = win32::FromIDispatch(shifted);
  a->Invoke("Value", vb::CallKind::Put, {{std::int32_t{1}, {}}});
  b->Invoke("Value", vb::CallKind::Put, {{std::int32_t{2}, {}}});
  EXPECT_EQ(1, Get(a, "Value").ToLong());
  EXPECT_EQ(2, Get(b, "Value").ToLong());
  EXPECT_EQ(1, shifted->lookups);

  // Objects without type information each keep their own.
  Widget* loose1 = Make(widget::Type{GUID_NULL});
  Widget* loose2 = Make(widget::Type{GUID_NULL, L"", 100});
  const vb::ObjectRef c = win32::FromIDispatch(loose1);
  const vb::ObjectRef d = win32::FromIDispatch(loose2);
  for (int i = 0; i < 2; ++i) {
    c->Invoke("Value", vb::CallKind::Put, {{std::int32_t{3}, {}}});
    d->Invoke("Value", vb::CallKind::Put, {{std::int32_t{4}, {}}});
  }
  EXPECT_EQ(3, Get(c, "Value").ToLong());
  EXPECT_EQ(4, Get(d, "Value").ToLong());
  EXPECT_EQ(1, loose1->lookups);
  EXPECT_EQ(1, loose2->lookups);
}

TEST_F(Bridge, IdentityIsTheObjectsIUnknownAndTypeNameItsTypeInfosName) {
  Widget* w = Make();
  const vb::ObjectRef o = win32::FromIDispatch(w);
  const vb::ObjectRef twin = Get(o, "Twin").ToObject();
  EXPECT_TRUE(vb::SameObject(o, twin));
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
