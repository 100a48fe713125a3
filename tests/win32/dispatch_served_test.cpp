// A vb::Dispatch served as an IDispatch, called the way a COM client calls it: GetIDsOfNames, then
// Invoke with DISPPARAMS built by hand here (not by the bridge, so that neither side checks the
// other against itself).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "vb/error.hpp"
#include "vb/strings.hpp"
#include "win32/dispatch/com_dispatch.hpp"
#include "win32/dispatch/errors.hpp"
#include "win32/dispatch/served_dispatch.hpp"

namespace {

// A vb object of the test's own: it records each call and answers a few members.
class Gadget : public vb::Dispatch {
 public:
  struct Seen {
    std::string member;
    vb::CallKind kind = vb::CallKind::Get;
    vb::Arguments arguments;
  };
  Seen last;
  vb::Variant value;

  vb::Variant Invoke(std::string_view member, vb::CallKind kind, const vb::Arguments& arguments) override {
    last = Seen{std::string(member), kind, arguments};
    const std::string name = vb::LCase(member);
    if (name == "value") {
      if (kind == vb::CallKind::Put) value = arguments.back().value;
      return value;
    }
    if (name == "describe") {
      std::string text;
      for (const vb::Argument& a : arguments)
        text += (a.name.empty() ? "" : a.name + ":=") + a.value.Describe() + ";";
      return text;
    }
    if (name == "self") return vb::ObjectRef(self.lock());
    if (name == "child") return vb::ObjectRef(std::make_shared<Gadget>());
    if (name == "list")
      return vb::Array{vb::Variant(std::int16_t{1}), vb::Variant(vb::ObjectRef(self.lock()))};
    if (name == "fail") vb::Raise(-2147188160, "PowerPoint", "Slides.Item : entier hors limites.");
    vb::Raise(vb::errors::kNoSuchMember, "PowerPoint");
  }
  std::string TypeName() const override { return "Gadget"; }
  std::weak_ptr<Gadget> self;
};

std::shared_ptr<Gadget> MakeGadget() {
  auto gadget = std::make_shared<Gadget>();
  gadget->self = gadget;
  return gadget;
}

class Served : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    gadget = MakeGadget();
    dispatch = win32::ServeDispatch(gadget);
    ASSERT_NE(nullptr, dispatch);
  }
  void TearDown() override {
    dispatch->Release();
    CoUninitialize();
  }

  DISPID Id(const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    return id;
  }
  // Invoke with arguments already in IDispatch's order (named first, then positional last to first).
  HRESULT Call(DISPID id, WORD flags, std::vector<VARIANT> args, std::vector<DISPID> named, VARIANT* result) {
    DISPPARAMS params{args.data(), named.data(), static_cast<UINT>(args.size()),
                      static_cast<UINT>(named.size())};
    exception = EXCEPINFO{};
    const HRESULT hr =
        dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception, nullptr);
    for (VARIANT& v : args) VariantClear(&v);
    return hr;
  }
  static VARIANT Long(LONG n) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
    return v;
  }
  static VARIANT Text(const wchar_t* text) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocString(text);
    return v;
  }

  std::shared_ptr<Gadget> gadget;
  IDispatch* dispatch = nullptr;
  EXCEPINFO exception{};
};

TEST_F(Served, NamesKeepTheirDispidsWhateverTheCaseAndTheObject) {
  const DISPID value = Id(L"Value");
  EXPECT_GT(value, 0);
  EXPECT_EQ(value, Id(L"VALUE"));
  EXPECT_NE(value, Id(L"Describe"));
  IDispatch* other = win32::ServeDispatch(MakeGadget());
  DISPID there = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"value")};
  other->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &there);
  EXPECT_EQ(value, there);
  other->Release();
}

TEST_F(Served, CallsArriveByNameWithTheirArgumentsInVbsOrder) {
  VARIANT result;
  VariantInit(&result);
  // Describe(1, "deux", c:=3): rgvarg holds c first, then "deux", then 1.
  DISPID ids[2] = {};
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Describe"), const_cast<LPOLESTR>(L"c")};
  ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids));
  ASSERT_EQ(S_OK, Call(ids[0], DISPATCH_METHOD | DISPATCH_PROPERTYGET, {Long(3), Text(L"deux"), Long(1)},
                       {ids[1]}, &result));
  EXPECT_EQ("describe", vb::LCase(gadget->last.member));
  EXPECT_EQ(vb::CallKind::Get, gadget->last.kind);
  EXPECT_EQ(std::wstring(L"1;\"deux\";c:=3;"), std::wstring(result.bstrVal));
  VariantClear(&result);
  Call(ids[0], DISPATCH_METHOD, {}, {}, &result);
  EXPECT_EQ(vb::CallKind::Method, gadget->last.kind);
  VariantClear(&result);

  // Value(…) = 7: the value travels as DISPID_PROPERTYPUT and reaches the object last.
  ASSERT_EQ(S_OK,
            Call(Id(L"Value"), DISPATCH_PROPERTYPUT, {Long(7), Long(2)}, {DISPID_PROPERTYPUT}, nullptr));
  EXPECT_EQ(vb::CallKind::Put, gadget->last.kind);
  ASSERT_EQ(2u, gadget->last.arguments.size());
  EXPECT_EQ(2, gadget->last.arguments[0].value.ToLong());
  EXPECT_EQ(7, gadget->value.ToLong());
  EXPECT_EQ(DISP_E_PARAMNOTFOUND, Call(Id(L"Value"), DISPATCH_PROPERTYPUT, {Long(7)}, {}, nullptr));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Call(123456, DISPATCH_METHOD, {}, {}, &result));
}

TEST_F(Served, ErrorsComeBackAsExceptionsTheBridgeReadsAgain) {
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(DISP_E_EXCEPTION, Call(Id(L"Fail"), DISPATCH_METHOD, {}, {}, &result));
  EXPECT_EQ(static_cast<SCODE>(0x80048240), exception.scode);
  const vb::Error error = win32::ErrorFromHresult(DISP_E_EXCEPTION, &exception);
  EXPECT_EQ(-2147188160, error.number());
  EXPECT_EQ("PowerPoint", error.source());
  EXPECT_EQ("Slides.Item : entier hors limites.", error.description());
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);

  ASSERT_EQ(DISP_E_EXCEPTION, Call(Id(L"Absent"), DISPATCH_PROPERTYGET, {}, {}, &result));
  EXPECT_EQ(static_cast<SCODE>(0x800A01B6), exception.scode);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
}

TEST_F(Served, ObjectsAreServedInTurnAndKeepTheirIdentity) {
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(S_OK, Call(Id(L"Self"), DISPATCH_PROPERTYGET, {}, {}, &result));
  ASSERT_EQ(VT_DISPATCH, result.vt);
  EXPECT_EQ(dispatch, result.pdispVal);  // the same COM object for the same vb object
  VariantClear(&result);

  ASSERT_EQ(S_OK, Call(Id(L"Child"), DISPATCH_PROPERTYGET, {}, {}, &result));
  ASSERT_EQ(VT_DISPATCH, result.vt);
  EXPECT_NE(dispatch, result.pdispVal);
  const vb::ObjectRef child = win32::FromIDispatch(result.pdispVal);
  EXPECT_EQ("Gadget", child->TypeName());
  VariantClear(&result);

  ASSERT_EQ(S_OK, Call(Id(L"List"), DISPATCH_PROPERTYGET, {}, {}, &result));
  ASSERT_EQ(VT_ARRAY | VT_VARIANT, result.vt);
  LONG i = 1;
  VARIANT item;
  VariantInit(&item);
  SafeArrayGetElement(result.parray, &i, &item);
  EXPECT_EQ(dispatch, item.pdispVal);
  VariantClear(&item);
  VariantClear(&result);

  // A served object handed back arrives as the very vb object; through the bridge it is Is-equal.
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_DISPATCH;
  self.pdispVal = dispatch;
  dispatch->AddRef();
  ASSERT_EQ(S_OK, Call(Id(L"Value"), DISPATCH_PROPERTYPUTREF, {self}, {DISPID_PROPERTYPUT}, nullptr));
  EXPECT_EQ(gadget.get(), gadget->value.ToObject().get());
  gadget->value = vb::Variant();  // no cycle
  EXPECT_TRUE(vb::SameObject(gadget, win32::FromIDispatch(dispatch)));

  ITypeInfo* info = nullptr;
  ASSERT_EQ(S_OK, dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info));
  BSTR name = nullptr;
  info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
  EXPECT_EQ(std::wstring(L"Gadget"), std::wstring(name));
  SysFreeString(name);
  info->Release();
}

TEST_F(Served, TheServedObjectLivesAsLongAsItsCallersHoldIt) {
  std::weak_ptr<Gadget> watch;
  IDispatch* held = nullptr;
  {
    auto g = MakeGadget();
    watch = g;
    held = win32::ServeDispatch(g);
    IDispatch* again = win32::ServeDispatch(g);
    EXPECT_EQ(held, again);
    again->Release();
  }
  EXPECT_FALSE(watch.expired());
  held->Release();
  EXPECT_TRUE(watch.expired());
  // Once released, serving a new object at whatever address gives a new COM object.
  auto fresh = MakeGadget();
  IDispatch* next = win32::ServeDispatch(fresh);
  EXPECT_EQ(fresh.get(), win32::FromIDispatch(next).get());
  next->Release();
}

}  // namespace
