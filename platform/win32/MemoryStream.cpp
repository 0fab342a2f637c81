#include "platform/win32/MemoryStream.h"

#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace velmora::win32 {

namespace {

// The interface is a protected base (as ComObject has them): only the object itself, on its last
// Release, deletes it.
class MemoryStream : protected IStream {
public:
    static IStream* Create(std::shared_ptr<const std::string> bytes, ULONGLONG position) {
        MemoryStream* stream = new (std::nothrow) MemoryStream(std::move(bytes), position);
        return stream ? static_cast<IStream*>(stream) : nullptr;
    }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
            *out = static_cast<IStream*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    // GDI+ may hand a stream to a thread of its own: the count is interlocked.
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    STDMETHODIMP Read(void* out, ULONG count, ULONG* read) override {
        const ULONGLONG size = bytes_->size();
        const ULONG n = position_ >= size ? 0 : static_cast<ULONG>(size - position_ < count ? size - position_ : count);
        if (n > 0) std::memcpy(out, bytes_->data() + position_, n);
        position_ += n;
        if (read) *read = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Write(const void*, ULONG, ULONG* written) override {
        if (written) *written = 0;
        return STG_E_ACCESSDENIED;
    }
    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override {
        LONGLONG base = 0;
        if (origin == STREAM_SEEK_CUR) {
            base = static_cast<LONGLONG>(position_);
        } else if (origin == STREAM_SEEK_END) {
            base = static_cast<LONGLONG>(bytes_->size());
        } else if (origin != STREAM_SEEK_SET) {
            return STG_E_INVALIDFUNCTION;
        }
        // Past the end is allowed (reads there give nothing); before the start is not.
        if (move.QuadPart < -base) return STG_E_INVALIDFUNCTION;
        position_ = static_cast<ULONGLONG>(base + move.QuadPart);
        if (position) position->QuadPart = position_;
        return S_OK;
    }
    STDMETHODIMP SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
    STDMETHODIMP CopyTo(IStream* to, ULARGE_INTEGER count, ULARGE_INTEGER* read, ULARGE_INTEGER* written) override {
        if (!to) return STG_E_INVALIDPOINTER;
        const ULONGLONG size = bytes_->size();
        const ULONGLONG left = position_ >= size ? 0 : size - position_;
        const ULONG n = static_cast<ULONG>(left < count.QuadPart ? left : count.QuadPart);
        ULONG done = 0;
        const HRESULT hr = n > 0 ? to->Write(bytes_->data() + position_, n, &done) : S_OK;
        position_ += n;
        if (read) read->QuadPart = n;
        if (written) written->QuadPart = done;
        return hr;
    }
    STDMETHODIMP Commit(DWORD) override { return S_OK; }
    STDMETHODIMP Revert() override { return S_OK; }
    STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
    STDMETHODIMP Stat(STATSTG* stat, DWORD) override {
        if (!stat) return STG_E_INVALIDPOINTER;
        std::memset(stat, 0, sizeof *stat);
        stat->type = STGTY_STREAM;
        stat->cbSize.QuadPart = bytes_->size();
        stat->grfMode = STGM_READ;
        return S_OK;
    }
    STDMETHODIMP Clone(IStream** out) override {
        if (!out) return STG_E_INVALIDPOINTER;
        *out = Create(bytes_, position_);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

private:
    MemoryStream(std::shared_ptr<const std::string> bytes, ULONGLONG position)
        : bytes_(std::move(bytes)), position_(position) {}
    virtual ~MemoryStream() = default;

    std::shared_ptr<const std::string> bytes_;
    ULONGLONG position_;
    LONG refs_ = 1;
};

}  // namespace

IStream* NewMemoryStream(const std::string& bytes) {
    try {
        return MemoryStream::Create(std::make_shared<const std::string>(bytes), 0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace velmora::win32
