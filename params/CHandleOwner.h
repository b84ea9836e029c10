#pragma once

// Owns one handle of a system resource and gives it back through Release on every path: when
// it is replaced, reset, and at destruction. The null handle (Handle{}) owns nothing and is
// never released. Release is a function object called with the handle; it may carry what the
// release call needs besides the handle (the window a device context belongs to). Each
// layer's _win header names the kinds of handle it owns with this template, so that no raw
// release call stands outside those headers. A move hands the handle over: the owner moved
// from holds nothing.
template <class Handle, class Release> class CHandleOwner {
public:
    CHandleOwner() = default;
    explicit CHandleOwner(Handle handle, Release release = Release{})
        : handle(handle), release(release) {}
    ~CHandleOwner() { Reset(); }
    CHandleOwner(const CHandleOwner&) = delete;
    CHandleOwner& operator=(const CHandleOwner&) = delete;
    CHandleOwner(CHandleOwner&& other) noexcept : handle(other.handle), release(other.release) {
        other.handle = Handle{};
    }
    CHandleOwner& operator=(CHandleOwner&& other) noexcept {
        if (this != &other) {
            Reset(other.handle, other.release);
            other.handle = Handle{};
        }
        return *this;
    }

    // Releases what is held and takes the replacement (by default: nothing), which is given
    // back the same way.
    void Reset(Handle replacement = Handle{}) { Reset(replacement, release); }
    // The same, with the release the replacement needs.
    void Reset(Handle replacement, Release replacementRelease) {
        if (handle != Handle{})
            release(handle);
        handle = replacement;
        release = replacementRelease;
    }
    // Releases what is held and hands out the slot for a call that returns a new handle
    // through a pointer (RegOpenKeyEx, SHGetKnownFolderPath).
    [[nodiscard]] Handle* Receive() {
        Reset();
        return &handle;
    }

    Handle Get() const { return handle; }
    explicit operator bool() const { return handle != Handle{}; }

private:
    Handle handle{};
    Release release{};
};
