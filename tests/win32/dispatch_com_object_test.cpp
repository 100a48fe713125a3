// ComObject, the IUnknown every COM object of ours is built on: what QueryInterface answers and
// with which pointer, the count, and the object's end at its last release.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "win32/dispatch/com_object.hpp"

// Interfaces of the test's own: a dual one, one derived from it, and one of nothing beyond IDispatch.
struct ICounter : IDispatch {
  virtual LONG STDMETHODCALLTYPE Value() = 0;
};
struct ICounter2 : ICounter {
  virtual LONG STDMETHODCALLTYPE Twice() = 0;
};
struct IPlain : IDispatch {};
__CRT_UUID_DECL(ICounter, 0x6b1c0d51, 0x2f0a, 0x4c55, 0x9a, 0x1e, 0x31, 0x7c, 0x42, 0x0b, 0x88, 0x01)
__CRT_UUID_DECL(ICounter2, 0x6b1c0d51, 0x2f0a, 0x4c55, 0x9a, 0x1e, 0x31, 0x7c, 0x42, 0x0b, 0x88, 0x02)
__CRT_UUID_DECL(IPlain, 0x6b1c0d51, 0x2f0a, 0x4c55, 0x9a, 0x1e, 0x31, 0x7c, 0x42, 0x0b, 0x88, 0x03)

namespace {

class Counter final : public win32::ComObject<win32::Also<ICounter2, ICounter, IPlain>, ISupportErrorInfo> {
 public:
  explicit Counter(bool* destroyed) : destroyed_(destroyed) {}
  using ComObject::references;

  LONG STDMETHODCALLTYPE Value() override { return 1; }
  LONG STDMETHODCALLTYPE Twice() override { return 2; }
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

 private:
  ~Counter() override { *destroyed_ = true; }
  bool* destroyed_;
};

// What QueryInterface gave for `iid` (what it left in the out when it failed), checked to hold
// a reference of its own, which is released again.
void* Asked(Counter* counter, REFIID iid) {
  void* out = reinterpret_cast<void*>(1);
  const ULONG before = counter->references();
  if (FAILED(counter->QueryInterface(iid, &out))) return out;
  if (counter->references() != before + 1) {
    ADD_FAILURE() << "the answer holds no reference of its own: " << counter->references() << " after "
                  << before;
    return out;
  }
  static_cast<IUnknown*>(out)->Release();
  return out;
}

TEST(ComObject, AnswersTheInterfacesListedWithTheirOwnPointer) {
  bool destroyed = false;
  auto* counter = new Counter(&destroyed);
  void* const main = static_cast<ICounter2*>(counter);
  void* const errors = static_cast<ISupportErrorInfo*>(counter);
  ASSERT_NE(main, errors);

  // IUnknown is the first interface listed, whichever pointer it is asked through.
  EXPECT_EQ(Asked(counter, IID_IUnknown), main);
  void* unknown = nullptr;
  ASSERT_EQ(static_cast<ISupportErrorInfo*>(counter)->QueryInterface(IID_IUnknown, &unknown), S_OK);
  EXPECT_EQ(unknown, main);
  static_cast<IUnknown*>(unknown)->Release();

  // The interface itself, its base, the interface that shares its start, and IDispatch it derives from.
  EXPECT_EQ(Asked(counter, __uuidof(ICounter2)), main);
  EXPECT_EQ(Asked(counter, __uuidof(ICounter)), main);
  EXPECT_EQ(Asked(counter, __uuidof(IPlain)), main);
  EXPECT_EQ(Asked(counter, IID_IDispatch), main);
  // The second interface through its own vtable.
  EXPECT_EQ(Asked(counter, IID_ISupportErrorInfo), errors);

  // An interface not listed: E_NOINTERFACE and the out cleared.
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(counter->QueryInterface(IID_IClassFactory, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(counter->QueryInterface(IID_IExternalConnection, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  // No out at all.
  EXPECT_EQ(counter->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

  EXPECT_EQ(counter->references(), 1u);  // every answer above was released again
  counter->Release();
  EXPECT_TRUE(destroyed);
}

TEST(ComObject, CountsEachReferenceAndEndsAtTheLast) {
  bool destroyed = false;
  auto* counter = new Counter(&destroyed);
  EXPECT_EQ(counter->references(), 1u);  // the creator's

  // AddRef and Release give the count they leave.
  EXPECT_EQ(counter->AddRef(), 2u);
  EXPECT_EQ(counter->Release(), 1u);

  // Each interface handed out holds a reference of its own.
  ISupportErrorInfo* errors = nullptr;
  ASSERT_EQ(counter->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&errors)), S_OK);
  IDispatch* dispatch = nullptr;
  ASSERT_EQ(counter->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
  ASSERT_EQ(counter->references(), 3u);

  // The object outlives the creator's reference while another is held, and goes with the last.
  EXPECT_EQ(counter->Release(), 2u);
  EXPECT_EQ(errors->Release(), 1u);
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(dispatch->Release(), 0u);
  EXPECT_TRUE(destroyed);
}

TEST(ComObject, KeepsItsCountAcrossThreads) {
  bool destroyed = false;
  auto* counter = new Counter(&destroyed);
  // Called through a pointer the compiler cannot see through, as COM's callers call.
  IUnknown* volatile object = static_cast<ICounter2*>(counter);
  constexpr int kThreads = 4;
  constexpr int kTimes = 5000000;
  const auto together = [&](ULONG (STDMETHODCALLTYPE IUnknown::*call)()) {
    std::atomic<int> ready = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
      threads.emplace_back([&] {
        for (++ready; ready < kThreads;) {  // all at once, not one after another as they start
        }
        for (int i = 0; i < kTimes; ++i) (object->*call)();
      });
    for (std::thread& thread : threads) thread.join();
  };
  together(&IUnknown::AddRef);
  ASSERT_EQ(counter->references(), 1u + kThreads * kTimes);  // else releasing them all would destroy it
  together(&IUnknown::Release);
  EXPECT_EQ(counter->references(), 1u);
  EXPECT_FALSE(destroyed);
  if (counter->references() == 1u) counter->Release();
  EXPECT_TRUE(destroyed);
}

}  // namespace
