#pragma once

#include <type_traits>
#include <utility>

// Checks inside callbacks.
//
// QVERIFY and QCOMPARE end with a plain `return`: inside a timer, a signal
// handler or the answerer of a modal dialog they leave only that callback. Qt
// Test records the failure against the running test function, but the code
// after the failed check never runs, so a dialog the callback was meant to close
// stays open and the test function waits forever in its modal loop.
//
// The guard closes that gap: while the running test function has failed, every
// modal dialog and popup menu is closed, so the nested event loops that wait on
// them return and the test function reaches its end, reported as failed. It
// looks after each callback wrapped with checked() at once, and after any other
// one on its next sweep (a few milliseconds later, from any event loop).
namespace qvxtest {

// Starts the periodic sweep; main() calls it once.
void installCallbackGuard();

// When the running test function has failed, closes the modal dialogs and
// popups that are open now. Returns whether it had failed.
bool unwindIfFailed();

// Wraps a callback so that a failed check inside it fails the test function at
// once instead of leaving it waiting.
template <typename F> auto checked(F f) {
    // Takes exactly the arguments the callback takes, so that a signal
    // connection can tell how many of the signal's arguments to pass on.
    return [f = std::move(f)]<typename... Args>(
        Args && ... args) mutable requires std::is_invocable_v<F&, Args...> {
        if constexpr (std::is_void_v<std::invoke_result_t<F&, Args...>>) {
            f(std::forward<Args>(args)...);
            unwindIfFailed();
        } else {
            auto result = f(std::forward<Args>(args)...);
            unwindIfFailed();
            return result;
        }
    };
}

} // namespace qvxtest
