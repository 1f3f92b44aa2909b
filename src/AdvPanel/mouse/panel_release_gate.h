#pragma once
// When a panel closed with FreeOnClose may be destroyed: only while none of its own message
// handlers or animations is running, so that nothing on the way back touches it. A release that
// arrives while one runs waits until the outermost one has returned.

namespace advpanel {

class ReleaseGate {
public:
    void Enter() { ++depth_; }
    // Returns true when a release waited and should now be asked for again.
    bool Leave() {
        --depth_;
        if (depth_ > 0 || !deferred_) return false;
        deferred_ = false;
        return true;
    }
    // A release arrives: true when it may happen now, false when it has to wait.
    bool TryRelease() {
        if (depth_ == 0) return true;
        deferred_ = true;
        return false;
    }
    bool Busy() const { return depth_ > 0; }

private:
    int depth_ = 0;
    bool deferred_ = false;
};

// Enters the gate for one scope.
template <typename OnReady> class GateScope {
public:
    GateScope(ReleaseGate& gate, OnReady onReady) : gate_(gate), onReady_(onReady) {
        gate_.Enter();
    }
    GateScope(const GateScope&) = delete;
    GateScope& operator=(const GateScope&) = delete;
    ~GateScope() {
        if (gate_.Leave()) onReady_();
    }

private:
    ReleaseGate& gate_;
    OnReady onReady_;
};

} // namespace advpanel
