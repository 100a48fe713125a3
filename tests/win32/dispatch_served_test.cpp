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
    Clear();
    dispatch->Release();
    CoUninitialize();
  }
  void Clear() {
    VariantClear(&result);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    exception = EXCEPINFO{};
  }
  DISPID Id(const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
    return id;
  }
  // Invoke with arguments already in IDispatch's order (named first, then positional last to
  // first); the result in `result`, the exception in `exception`.
  HRESULT Call(DISPID id, WORD flags, std::vector<VARIANT> args = {}, std::vector<DISPID> named = {}) {
    Clear();
    DISPPARAMS params{args.data(), named.data(), static_cast<UINT>(args.size()),
                      static_cast<UINT>(named.size())};
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    const HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                        put ? nullptr : &result, &exception, nullptr);
    for (VARIANT& v : args) VariantClear(&v);
    return hr;
  }
  static VARIANT Long(LONG n) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = n;
    return v;
  }

  std::shared_ptr<Gadget> gadget;
  IDispatch* dispatch = nullptr;
  VARIANT result{};
  EXCEPINFO exception{};
};

// A name has one DISPID whatever its case and whichever served object is asked.
TEST_F(Served, NamesKeepTheirDispidsWhateverTheCaseAndTheObject) {
  const DISPID value = Id(L"Value");
  EXPECT_GT(value, 0);
  EXPECT_EQ(value, Id(L"VALUE"));
  EXPECT_NE(value, Id(L"Describe"));
  IDispatch* first = dispatch;
  dispatch = win32::ServeDispatch(MakeGadget());
  EXPECT_EQ(value, Id(L"value"));
  dispatch->Release();
  dispatch = first;
}

// The object sees a call by name, its kind, and its arguments in VB's order, named ones by name;
// an assignment's value arrives last.
TEST_F(Served, CallsArriveByNameWithTheirArgumentsInVbsOrder) {
  // Describe(1, "deux", c:=3): rgvarg holds c first, then "deux", then 1.
  DISPID ids[2] = {};
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Describe"), const_cast<LPOLESTR>(L"c")};
  ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, names, 2, LOCALE_USER_DEFAULT, ids));
  VARIANT deux;
  deux.vt = VT_BSTR;
  deux.bstrVal = SysAllocString(L"deux");
  ASSERT_EQ(S_OK, Call(ids[0], DISPATCH_METHOD | DISPATCH_PROPERTYGET, {Long(3), deux, Long(1)}, {ids[1]}));
  EXPECT_EQ("describe", vb::LCase(gadget->last.member));
  EXPECT_EQ(vb::CallKind::Get, gadget->last.kind);
  EXPECT_EQ(std::wstring(L"1;\"deux\";c:=3;"), std::wstring(result.bstrVal));
  Call(ids[0], DISPATCH_METHOD);
  EXPECT_EQ(vb::CallKind::Method, gadget->last.kind);
  // Describe(c:=3, b:=2): each named argument with its own value.
  DISPID more[3] = {};
  LPOLESTR more_names[] = {names[0], const_cast<LPOLESTR>(L"b"), names[1]};
  ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, more_names, 3, LOCALE_USER_DEFAULT, more));
  ASSERT_EQ(S_OK, Call(more[0], DISPATCH_METHOD, {Long(3), Long(2)}, {more[2], more[1]}));
  EXPECT_EQ(std::wstring(L"c:=3;b:=2;"), std::wstring(result.bstrVal));

  // Value(2) = 7: the value travels as DISPID_PROPERTYPUT and reaches the object last.
  ASSERT_EQ(S_OK, Call(Id(L"Value"), DISPATCH_PROPERTYPUT, {Long(7), Long(2)}, {DISPID_PROPERTYPUT}));
  EXPECT_EQ(vb::CallKind::Put, gadget->last.kind);
  ASSERT_EQ(2u, gadget->last.arguments.size());
  EXPECT_EQ(2, gadget->last.arguments[0].value.ToLong());
  EXPECT_EQ(7, gadget->value.ToLong());
  EXPECT_EQ(DISP_E_PARAMNOTFOUND, Call(Id(L"Value"), DISPATCH_PROPERTYPUT, {Long(7)}));
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, Call(123456, DISPATCH_METHOD));
}

// A vb::Error served as DISP_E_EXCEPTION and read back by the bridge: checked across processes in
// dispatch_automation_test.cpp (CallsAcrossProcessesKeepValuesErrorsAndTheirDispids).

// Objects handed out are served in turn, one COM object per vb object; one handed back arrives
// as the very vb object.
TEST_F(Served, ObjectsAreServedInTurnAndKeepTheirIdentity) {
  ASSERT_EQ(S_OK, Call(Id(L"Self"), DISPATCH_PROPERTYGET));
  ASSERT_EQ(VT_DISPATCH, result.vt);
  EXPECT_EQ(dispatch, result.pdispVal);
  ASSERT_EQ(S_OK, Call(Id(L"Child"), DISPATCH_PROPERTYGET));
  ASSERT_EQ(VT_DISPATCH, result.vt);
  EXPECT_NE(dispatch, result.pdispVal);
  EXPECT_EQ("Gadget", win32::FromIDispatch(result.pdispVal)->TypeName());
  ASSERT_EQ(S_OK, Call(Id(L"List"), DISPATCH_PROPERTYGET));
  ASSERT_EQ(VT_ARRAY | VT_VARIANT, result.vt);
  LONG i = 1;
  VARIANT item;
  VariantInit(&item);
  SafeArrayGetElement(result.parray, &i, &item);
  EXPECT_EQ(dispatch, item.pdispVal);
  VariantClear(&item);

  VARIANT self;
  self.vt = VT_DISPATCH;
  self.pdispVal = dispatch;
  dispatch->AddRef();
  ASSERT_EQ(S_OK, Call(Id(L"Value"), DISPATCH_PROPERTYPUTREF, {self}, {DISPID_PROPERTYPUT}));
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

// The served object lives as long as its callers hold it; then a new object gets a new server.
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
  auto fresh = MakeGadget();
  IDispatch* next = win32::ServeDispatch(fresh);
  EXPECT_EQ(fresh.get(), win32::FromIDispatch(next).get());
  next->Release();
}

}  // namespace
