// The COM face of an additional-information list, over a list of the module's: its members
// late-bound by name (what a script reads), errors with their information, and the interfaces the
// object answers to.
#include <gtest/gtest.h>

#include <memory>

#include "module/complement_info.hpp"
#include "vb/error.hpp"
#include "win32/server/complement_object.hpp"
#include "win32/server/server.hpp"
#include "win32/server_support.hpp"

namespace {

using server_test::Bstr;
using server_test::VbError;

class ComplementObjectTest : public testing::Test {
 protected:
  void SetUp() override {
    // The object's type information comes from the DLL's resources.
    dll_ = LoadLibraryW(server_test::DllPath().c_str());
    ASSERT_TRUE(dll_);
    win32::server::SetModuleHandle(dll_);
    list_ = std::make_shared<k60418::ComplementInfo>();
    list_->ComplementInfo_add("x", 0);
    list_->ComplementInfo_add("y", 0);
    ASSERT_EQ(win32::server::ComplementObject::Create(list_, &object_), S_OK);
  }
  void TearDown() override {
    if (object_) {
      EXPECT_EQ(object_->Release(), 0u);
    }
    win32::server::SetModuleHandle(nullptr);
    if (dll_) FreeLibrary(dll_);
  }

  DISPID IdOf(const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(object_->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK) << name;
    return id;
  }

  HMODULE dll_ = nullptr;
  std::shared_ptr<k60418::ComplementInfo> list_;
  ComplementInfo* object_ = nullptr;
};

// What the host reads early-bound (count, item, add, an item outside the list) is checked through
// the DLL in player_dll_module_test.cpp; here a script's late-bound calls and the object's faces.

// A script reads and appends by name; an item outside the list is error 9.
TEST_F(ComplementObjectTest, AScriptReadsTheListByName) {
  VARIANT result;
  VariantInit(&result);
  DISPPARAMS none{};
  ASSERT_EQ(object_->Invoke(IdOf(L"Count"), IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none,
                            &result, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(V_VT(&result), VT_I4);
  EXPECT_EQ(V_I4(&result), 2);
  VARIANT position;
  V_VT(&position) = VT_I2;  // a script's literal
  V_I2(&position) = 1;
  DISPPARAMS one{&position, nullptr, 1, 0};
  ASSERT_EQ(object_->Invoke(IdOf(L"item"), IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &one, &result,
                            nullptr, nullptr),
            S_OK);
  ASSERT_EQ(V_VT(&result), VT_BSTR);
  EXPECT_EQ(Bstr(V_BSTR(&result)).str(), L"x");
  V_I2(&position) = 5;
  EXCEPINFO exception{};
  VariantInit(&result);
  EXPECT_EQ(object_->Invoke(IdOf(L"item"), IID_NULL, 0, DISPATCH_METHOD, &one, &result, &exception, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(exception.scode, VbError(vb::errors::kSubscriptOutOfRange));
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  // add by name, its second argument not used.
  VARIANT line[2];
  V_VT(&line[0]) = VT_I4;
  V_I4(&line[0]) = 42;
  V_VT(&line[1]) = VT_BSTR;
  V_BSTR(&line[1]) = SysAllocString(L"z");
  DISPPARAMS two{line, nullptr, 2, 0};
  EXPECT_EQ(object_->Invoke(IdOf(L"add"), IID_NULL, 0, DISPATCH_METHOD, &two, nullptr, nullptr, nullptr),
            S_OK);
  VariantClear(&line[1]);
  EXPECT_EQ(list_->ComplementInfo_count(), 3);
  EXPECT_EQ(list_->ComplementInfo_item(3), "z");
}

// One object (one IUnknown) behind every interface it answers to; errors reported through IErrorInfo.
TEST_F(ComplementObjectTest, OneObjectBehindEveryInterfaceItAnswersTo) {
  IUnknown* identity = nullptr;
  ASSERT_EQ(object_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  for (const IID* iid : {&IID_IDispatch, &IID_ComplementInfo, &IID__ComplementInfo}) {
    IUnknown* view = nullptr;
    ASSERT_EQ(object_->QueryInterface(*iid, reinterpret_cast<void**>(&view)), S_OK);
    IUnknown* again = nullptr;
    view->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&again));
    EXPECT_EQ(again, identity);
    again->Release();
    view->Release();
  }
  ISupportErrorInfo* support = nullptr;
  ASSERT_EQ(object_->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ComplementInfo), S_OK);
  support->Release();
  void* none = nullptr;
  EXPECT_EQ(object_->QueryInterface(IID_AbstractModule, &none), E_NOINTERFACE);
  identity->Release();
}

}  // namespace
