#include "common/task_scheduler_win.h"

#include <windows.h>
#include <oleauto.h>
#include <taskschd.h>

#include <utility>

#include "win32/utf16.h"

namespace {

// COM for the length of one call, on whatever terms the thread already has it.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr()
    {
        if (p_)
            p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** out() { return &p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

class Bstr {
public:
    explicit Bstr(const std::string& utf8)
    {
        const std::wstring wide = win32::Utf16(utf8);
        b_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    }
    ~Bstr() { SysFreeString(b_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return b_; }

private:
    BSTR b_ = nullptr;
};

// The root task folder of the local service, or nothing.
bool OpenRootFolder(ComPtr<ITaskFolder>& folder)
{
    ComPtr<ITaskService> service;
    if (FAILED(CoCreateInstance(__uuidof(TaskScheduler), nullptr, CLSCTX_INPROC_SERVER, __uuidof(ITaskService),
                                reinterpret_cast<void**>(service.out()))))
        return false;
    VARIANT empty;
    VariantInit(&empty);
    if (FAILED(service->Connect(empty, empty, empty, empty)))
        return false;
    Bstr root("\\");
    return SUCCEEDED(service->GetFolder(root.get(), folder.out()));
}

TaskServiceCalls installed;

} // namespace

void SetTaskService(TaskServiceCalls calls) { installed = std::move(calls); }

bool RegisterTask(const std::string& name, const std::string& xml)
{
    if (installed.registerTask)
        return installed.registerTask(name, xml);
    ComScope com;
    ComPtr<ITaskFolder> folder;
    if (!OpenRootFolder(folder))
        return false;
    Bstr path(name);
    Bstr definition(xml);
    VARIANT empty;
    VariantInit(&empty);
    ComPtr<IRegisteredTask> task;
    return SUCCEEDED(folder->RegisterTask(path.get(), definition.get(), TASK_CREATE_OR_UPDATE, empty, empty,
                                          TASK_LOGON_GROUP, empty, task.out()));
}

bool TaskExists(const std::string& name)
{
    if (installed.exists)
        return installed.exists(name);
    ComScope com;
    ComPtr<ITaskFolder> folder;
    if (!OpenRootFolder(folder))
        return false;
    Bstr path(name);
    ComPtr<IRegisteredTask> task;
    return SUCCEEDED(folder->GetTask(path.get(), task.out()));
}

bool DeleteTask(const std::string& name)
{
    if (installed.deleteTask)
        return installed.deleteTask(name);
    ComScope com;
    ComPtr<ITaskFolder> folder;
    if (!OpenRootFolder(folder))
        return true; // no service, no task
    Bstr path(name);
    const HRESULT result = folder->DeleteTask(path.get(), 0);
    return SUCCEEDED(result) || result == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}
