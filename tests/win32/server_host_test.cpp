// K60418.dll as its hosts meet it, once registered: the training player binding early through
// AbstractModule's vtable, a late-bound caller through IDispatch names, the registry as
// DllRegisterServer left it, and the DLL's unloading. No PowerPoint is registered here: the module
// answers as it does when it cannot get one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/rapporte_erreur.hpp"
#include "module/registration.hpp"
#include "vb/error.hpp"
#include "win32/server_stub_application.hpp"
#include "win32/server_support.hpp"
//
#include "ContratHote.h"

namespace {

using server_test::Bstr;
using server_test::TakeErrorInfo;
using server_test::VbError;
using server_test::Wide;

GUID GuidOf(std::string_view text) {
  GUID guid{};
  CLSIDFromString(Wide(text).c_str(), &guid);
  return guid;
}

/// The module as the player creates it: by its ProgID, asking for AbstractModule.
AbstractModule* CreateModule() {
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(Wide(registration::kModuleProgId).c_str(), &clsid), S_OK);
  EXPECT_EQ(clsid, GuidOf(registration::kModuleClass.guid));
  AbstractModule* module = nullptr;
  EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_AbstractModule,
                             reinterpret_cast<void**>(&module)),
            S_OK);
  return module;
}

/// What the module raises for a VB run-time error of its own: number, its project as the source
/// (or `source`), VB's description, through IErrorInfo.
void ExpectRaised(HRESULT hr, int number, const std::wstring& source = Wide(vb::kProjectName)) {
  EXPECT_EQ(hr, VbError(number));
  const server_test::ErrorInfo info = TakeErrorInfo();
  ASSERT_TRUE(info.present) << "no error information for " << number;
  EXPECT_EQ(info.source, source);
  EXPECT_EQ(info.description, Wide(vb::DefaultDescription(number)));
}

class EarlyBoundHost : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(module_ = CreateModule()); }
  void TearDown() override {
    if (module_) {
      EXPECT_EQ(module_->Release(), 0u);
    }
  }
  AbstractModule* module_ = nullptr;
};

/// Slot `slot` of the object's vtable, called as a function of that signature.
template <class... Arguments>
HRESULT CallSlot(IUnknown* object, int slot, Arguments... arguments) {
  using Function = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, Arguments...);
  void** table = *reinterpret_cast<void***>(object);
  return reinterpret_cast<Function>(table[slot])(object, arguments...);
}

// Each slot (7 to 14, after IUnknown's and IDispatch's) recognised by what it does, with no
// exercise open and no PowerPoint to be had; the errors carry their information.
TEST_F(EarlyBoundHost, TheVtableSlotsFollowTheContractOrder) {
  ISupportErrorInfo* support = nullptr;
  ASSERT_EQ(module_->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support)), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_AbstractModule), S_OK);
  support->Release();
  VARIANT_BOOL flag = VARIANT_TRUE;
  EXPECT_EQ(CallSlot(module_, 10, &flag), S_OK);  // ErreurGenerale
  EXPECT_EQ(flag, VARIANT_FALSE);
  Bstr cause;
  ExpectRaised(CallSlot(module_, 9, cause.out()), vb::errors::kObjectNotSet);  // CauseErreur
  ExpectRaised(CallSlot(module_, 7, &flag), vb::errors::kObjectNotSet);        // BravoNuance
  ComplementInfo* complement = nullptr;
  ExpectRaised(CallSlot(module_, 8, &complement), vb::errors::kObjectNotSet);  // Complement
  EXPECT_EQ(complement, nullptr);
  ExpectRaised(CallSlot(module_, 11), vb::errors::kObjectNotSet);  // Fermer
  IDispatch* application = nullptr;
  LONG handle = -1;
  Bstr folder(L"C:\\K60418\\");
  ExpectRaised(
      CallSlot(module_, 12, static_cast<LONG>(201), folder.get(), &application, &handle, BSTR{nullptr}),
      vb::errors::kCannotCreateObject);  // InitQuestion
  EXPECT_EQ(application, nullptr);
  EXPECT_EQ(handle, -1);
  EXPECT_EQ(CallSlot(module_, 13, &application, &handle), S_OK);  // Quitter: nothing held
  EXPECT_EQ(handle, -1);
  EXPECT_EQ(CallSlot(module_, 14), S_OK);  // TestePoint: no PowerPoint window, code "AK"
  EXPECT_EQ(CallSlot(module_, 10, &flag), S_OK);
  EXPECT_EQ(flag, VARIANT_TRUE);
  EXPECT_EQ(CallSlot(module_, 9, cause.out()), S_OK);
  EXPECT_EQ(cause.str(), L"AK");
}

// The object passed is no PowerPoint: the module lets it go, fails to start one, reports where,
// and the host's variable holds Nothing.
TEST_F(EarlyBoundHost, AnApplicationThatDoesNotAnswerIsDroppedAndTheErrorComesFromGetApplication) {
  server_test::StubApplication stub;
  IDispatch* application = &stub;
  stub.AddRef();  // the host's variable
  LONG handle = -1;
  Bstr folder(L"C:\\K60418\\");
  ExpectRaised(module_->InitQuestion(201, folder.get(), &application, &handle, nullptr),
               vb::errors::kCannotCreateObject,
               Wide(k60418::ComposeSourceErreur("Module", "GetApplication", vb::kProjectName)));
  EXPECT_EQ(application, nullptr);
  EXPECT_EQ(handle, -1);
  EXPECT_EQ(stub.references, 1u);  // neither the module nor the variable holds the object any more
}

// --- A late-bound caller: arguments as a script passes them ------------------------------------

VARIANT Value(VARTYPE type, LONG number, void* pointer = nullptr) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = type;
  if (type & VT_BYREF) {
    V_BYREF(&v) = pointer;
  } else if (type == VT_BSTR) {
    V_BSTR(&v) = SysAllocString(static_cast<const wchar_t*>(pointer));
  } else if (type == VT_DISPATCH) {
    V_DISPATCH(&v) = static_cast<IDispatch*>(pointer);
  } else {
    V_I4(&v) = number;  // VT_I4, and VT_I2 through the same bytes
  }
  return v;
}

class LateBoundHost : public EarlyBoundHost {
 protected:
  void SetUp() override {
    EarlyBoundHost::SetUp();
    ASSERT_EQ(module_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch_)), S_OK);
  }
  void TearDown() override {
    if (dispatch_) dispatch_->Release();
    EarlyBoundHost::TearDown();
  }
  /// Invokes the member named first in `names`, the others naming the arguments; arguments in
  /// IDispatch's order. The exception's texts are freed; its scode is kept.
  HRESULT Call(std::vector<const wchar_t*> names, std::vector<VARIANT> arguments, bool by_name = false) {
    std::vector<DISPID> ids(names.size());
    EXPECT_EQ(dispatch_->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(names.data()),
                                       static_cast<UINT>(names.size()), 0, ids.data()),
              S_OK);
    DISPPARAMS parameters{arguments.data(), by_name ? &ids[1] : nullptr, static_cast<UINT>(arguments.size()),
                          by_name ? static_cast<UINT>(arguments.size()) : 0};
    EXCEPINFO exception{};
    argument_error = 99;
    const HRESULT hr = dispatch_->Invoke(ids[0], IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr,
                                         &exception, &argument_error);
    scode = exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    for (VARIANT& v : arguments) {
      if (V_VT(&v) == VT_BSTR) VariantClear(&v);
    }
    return hr;
  }
  IDispatch* dispatch_ = nullptr;
  SCODE scode = 0;
  UINT argument_error = 0;
};

// The script's variables, each a by-reference VARIANT: the application written back Nothing
// (the stub let go), the handle written back as a Long.
TEST_F(LateBoundHost, InitQuestionTakesTheCallersVariablesAndWritesThemBack) {
  server_test::StubApplication stub;
  VARIANT application = Value(VT_DISPATCH, 0, &stub);
  stub.AddRef();
  VARIANT handle = Value(VT_I2, -1);
  EXPECT_EQ(Call({L"InitQuestion"},
                 {Value(VT_BYREF | VT_VARIANT, 0, &handle), Value(VT_BYREF | VT_VARIANT, 0, &application),
                  Value(VT_BSTR, 0, const_cast<wchar_t*>(L"C:\\K60418\\")), Value(VT_I2, 201)}),
            DISP_E_EXCEPTION);
  EXPECT_EQ(scode, VbError(vb::errors::kCannotCreateObject));
  EXPECT_EQ(V_VT(&application), VT_DISPATCH);
  EXPECT_EQ(V_DISPATCH(&application), nullptr);
  EXPECT_EQ(stub.references, 1u);
  EXPECT_EQ(V_VT(&handle), VT_I4);
  EXPECT_EQ(V_I4(&handle), -1);
}

// Named arguments in any order; a text where the application goes, a missing argument, too many.
TEST_F(LateBoundHost, InitQuestionArgumentsByNameMissingOrOfTheWrongType) {
  const std::vector<const wchar_t*> names = {L"InitQuestion", L"ioHandleLogiciel", L"ioApplication",
                                             L"isPathDossier", L"ilQuestion"};
  VARIANT handle = Value(VT_I4, 1234);
  const auto arguments = [&](VARIANT application) {
    return std::vector<VARIANT>{Value(VT_BYREF | VT_VARIANT, 0, &handle), application,
                                Value(VT_BSTR, 0, const_cast<wchar_t*>(L"C:\\K60418\\")), Value(VT_I4, 201)};
  };
  EXPECT_EQ(Call(names, arguments(Value(VT_DISPATCH, 0)), true), DISP_E_EXCEPTION);
  EXPECT_EQ(scode, VbError(vb::errors::kCannotCreateObject));
  EXPECT_EQ(V_VT(&handle), VT_I4);
  EXPECT_EQ(V_I4(&handle), -1);  // a window that no longer exists is forgotten
  LONG variable = 1234;          // a Long variable by reference takes the handle back too
  EXPECT_EQ(Call(names,
                 {Value(VT_BYREF | VT_I4, 0, &variable), Value(VT_DISPATCH, 0),
                  Value(VT_BSTR, 0, const_cast<wchar_t*>(L"C:\\")), Value(VT_I4, 201)},
                 true),
            DISP_E_EXCEPTION);
  EXPECT_EQ(variable, -1);

  EXPECT_EQ(Call(names, arguments(Value(VT_BSTR, 0, const_cast<wchar_t*>(L"x"))), true), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argument_error, 1u);
  EXPECT_EQ(Call({names[0], names[2], names[3], names[4]},
                 {Value(VT_DISPATCH, 0), Value(VT_BSTR, 0, const_cast<wchar_t*>(L"C:\\")), Value(VT_I4, 201)},
                 true),
            DISP_E_PARAMNOTFOUND);
  EXPECT_EQ(Call({names[0]}, std::vector<VARIANT>(6, Value(VT_I4, 0))), DISP_E_BADPARAMCOUNT);
}

// Quitter writes the handle back into a Long variable; a by-reference Integer cannot take a Long
// back: refused before the call.
TEST_F(LateBoundHost, QuitterWritesTheHandleBackIntoALongVariable) {
  IDispatch* application = nullptr;
  LONG handle = 77;
  SHORT small = 1;
  EXPECT_EQ(Call({L"Quitter"},
                 {Value(VT_BYREF | VT_I4, 0, &handle), Value(VT_BYREF | VT_DISPATCH, 0, &application)}),
            S_OK);
  EXPECT_EQ(handle, 77);  // the module held no PowerPoint: nothing to end, the variables stay
  EXPECT_EQ(application, nullptr);
  EXPECT_EQ(Call({L"Quitter"},
                 {Value(VT_BYREF | VT_I2, 0, &small), Value(VT_BYREF | VT_DISPATCH, 0, &application)}),
            DISP_E_TYPEMISMATCH);
}

// --- The registry as DllRegisterServer left it ----------------------------------------------------

std::wstring DefaultValue(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t value[1024] = {};
  DWORD size = sizeof(value);
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return L"<missing>";
  return value;
}

TEST(Registration, TheClassItsProgIdsAndTheTypeLibraries) {
  const std::wstring clsid = Wide(registration::kModuleClass.guid);
  const std::wstring key = L"CLSID\\" + clsid;
  EXPECT_EQ(DefaultValue(key), L"Module");
  EXPECT_EQ(lstrcmpiW(DefaultValue(key + L"\\InprocServer32").c_str(), server_test::DllPath().c_str()), 0)
      << DefaultValue(key + L"\\InprocServer32");
  EXPECT_EQ(DefaultValue(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(DefaultValue(key + L"\\ProgID"), L"K60418.Module.1");
  EXPECT_EQ(DefaultValue(key + L"\\VersionIndependentProgID"), L"K60418.Module");
  EXPECT_EQ(DefaultValue(key + L"\\TypeLib"), Wide(registration::kTypeLibrary.guid));
  EXPECT_EQ(DefaultValue(L"K60418.Module\\CLSID"), clsid);
  EXPECT_EQ(DefaultValue(L"K60418.Module\\CurVer"), L"K60418.Module.1");
  EXPECT_EQ(DefaultValue(L"K60418.Module.1\\CLSID"), clsid);
  // The classes clients do not create have no class key.
  EXPECT_EQ(DefaultValue(L"CLSID\\" + Wide(registration::kComplementInfoClass.guid)), L"<missing>");

  BSTR path = nullptr;
  ASSERT_EQ(QueryPathOfRegTypeLib(GuidOf(registration::kTypeLibrary.guid), 1, 0, 0, &path), S_OK);
  EXPECT_EQ(lstrcmpiW(path, server_test::DllPath().c_str()), 0) << path;
  SysFreeString(path);
  EXPECT_EQ(DefaultValue(L"Interface\\" + Wide(registration::kModuleInterface.guid) + L"\\TypeLib"),
            Wide(registration::kTypeLibrary.guid));
  // The host contract library, from the copy beside the DLL.
  ASSERT_EQ(QueryPathOfRegTypeLib(GuidOf(registration::kHostTypeLibrary.guid), 1, 0, 0, &path), S_OK);
  std::wstring beside = server_test::DllPath();
  beside = beside.substr(0, beside.find_last_of(L'\\') + 1) + L"ContratHote.tlb";
  EXPECT_EQ(lstrcmpiW(path, beside.c_str()), 0) << path;
  SysFreeString(path);
}

// --- The DLL itself ------------------------------------------------------------------------------

TEST(ComServer, TheDllCanUnloadOnlyWithNoObjectAndNoLock) {
  HMODULE dll = LoadLibraryW(server_test::DllPath().c_str());
  ASSERT_TRUE(dll);
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
  const auto get_class_object =
      reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  const auto can_unload_now =
      reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  ASSERT_TRUE(get_class_object && can_unload_now);
  EXPECT_EQ(can_unload_now(), S_OK);

  const auto factory_of = [&] {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(get_class_object(GuidOf(registration::kModuleClass.guid), IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    return factory;
  };
  void* unused = nullptr;
  EXPECT_EQ(get_class_object(GuidOf(registration::kComplementInfoClass.guid), IID_IClassFactory, &unused),
            CLASS_E_CLASSNOTAVAILABLE);

  // A live object keeps the DLL.
  IClassFactory* factory = factory_of();
  ASSERT_TRUE(factory);
  EXPECT_EQ(factory->CreateInstance(factory, IID_IUnknown, &unused), CLASS_E_NOAGGREGATION);
  IDispatch* module = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&module)), S_OK);
  factory->Release();
  EXPECT_EQ(can_unload_now(), S_FALSE);
  module->Release();
  EXPECT_EQ(can_unload_now(), S_OK);

  // So does a lock, with no object left.
  factory = factory_of();
  factory->LockServer(TRUE);
  factory->Release();
  EXPECT_EQ(can_unload_now(), S_FALSE);
  factory = factory_of();
  factory->LockServer(FALSE);
  factory->Release();
  EXPECT_EQ(can_unload_now(), S_OK);
  FreeLibrary(dll);
}

TEST(ComServer, TheVersionResourceNamesTheProductAndItsVersion) {
  const std::wstring path = server_test::DllPath();
  DWORD unused = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &unused);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
  const auto text = [&](const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040C04E4\\") + name;
    if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || !value)
      return std::wstring(L"<missing>");
    return std::wstring(static_cast<const wchar_t*>(value));
  };
  EXPECT_EQ(text(L"ProductName"), L"K60418");
  EXPECT_EQ(text(L"ProductVersion"), Wide(K60418_VERSION));
  EXPECT_EQ(text(L"OriginalFilename"), L"K60418.dll");
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

}  // namespace
