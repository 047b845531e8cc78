#pragma once
// Framework exceptions in tests: they are thrown as pointers and freed with
// Delete().
#include <gtest/gtest.h>

namespace trovtest {

// The cause of the E that f throws; -1 when it throws none.
template <class E, class F>
int ThrownCause(F f)
{
    try {
        f();
    } catch (E* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

// Expects f to throw an E.
template <class E, class F>
void ExpectThrown(F f)
{
    try {
        f();
        ADD_FAILURE() << "no exception of the expected class";
    } catch (E* e) {
        e->Delete();
    }
}

} // namespace trovtest
