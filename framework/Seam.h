#pragma once
// A seam: one replaceable entry point for something tests cannot produce
// headless (the clock, the cursor, key state, modal loops, the shell...).
//
// Product code calls the seam like a function; it runs the system's own
// behaviour unless a test has replaced it.  Tests replace an entry only for
// a scope, with ScopedSeam, which puts the previous behaviour back when it
// ends (also when a test fails with an exception), so no replacement leaks
// from one test into the next:
//
//     ScopedSeam clock(g_frameworkSeams.tickCount, [&] { return fakeNow; });
//
// A test fixture that replaces several entries for every test keeps them in
// one ScopedSeams member, which restores them in reverse order when the
// fixture ends.
//
// Each subsystem keeps its seams in one struct of its own, declared in one
// header (framework/win/FrameworkSeams.h, app/AppSeams.h, ...).
#include <functional>
#include <memory>
#include <utility>
#include <vector>

template <typename Signature>
class Seam;

template <typename R, typename... Args>
class Seam<R(Args...)> {
public:
    using Function = std::function<R(Args...)>;

    explicit Seam(R (*real)(Args...)) : m_real(real) {}
    Seam(const Seam&) = delete;
    Seam& operator=(const Seam&) = delete;

    R operator()(Args... args) const
    {
        if (m_replacement)
            return m_replacement(std::forward<Args>(args)...);
        return m_real(std::forward<Args>(args)...);
    }

    // The system's own behaviour, for a replacement that wraps it.
    R Real(Args... args) const { return m_real(std::forward<Args>(args)...); }

    bool IsReplaced() const { return static_cast<bool>(m_replacement); }

private:
    template <typename>
    friend class ScopedSeam;

    R (*m_real)(Args...);
    Function m_replacement;
};

// Replaces a seam's behaviour until the end of the enclosing scope.
template <typename Signature>
class ScopedSeam {
public:
    template <typename F>
    ScopedSeam(Seam<Signature>& seam, F&& replacement)
        : m_seam(seam), m_previous(std::move(seam.m_replacement))
    {
        m_seam.m_replacement = typename Seam<Signature>::Function(std::forward<F>(replacement));
    }
    ~ScopedSeam() { m_seam.m_replacement = std::move(m_previous); }

    ScopedSeam(const ScopedSeam&) = delete;
    ScopedSeam& operator=(const ScopedSeam&) = delete;

private:
    Seam<Signature>& m_seam;
    typename Seam<Signature>::Function m_previous;
};

template <typename Signature, typename F>
ScopedSeam(Seam<Signature>&, F&&) -> ScopedSeam<Signature>;

// Several replacements held for one scope (a test fixture's lifetime); they
// are undone in reverse order, so a seam replaced twice ends as it began.
class ScopedSeams {
public:
    ScopedSeams() = default;
    ScopedSeams(const ScopedSeams&) = delete;
    ScopedSeams& operator=(const ScopedSeams&) = delete;
    ~ScopedSeams()
    {
        while (!m_scopes.empty())
            m_scopes.pop_back();
    }

    template <typename Signature, typename F>
    void Replace(Seam<Signature>& seam, F&& replacement)
    {
        m_scopes.push_back(std::make_unique<Held<Signature>>(seam, std::forward<F>(replacement)));
    }

private:
    struct HeldBase {
        virtual ~HeldBase() = default;
    };
    template <typename Signature>
    struct Held : HeldBase {
        template <typename F>
        Held(Seam<Signature>& seam, F&& replacement) : scope(seam, std::forward<F>(replacement))
        {
        }
        ScopedSeam<Signature> scope;
    };
    std::vector<std::unique_ptr<HeldBase>> m_scopes;
};
