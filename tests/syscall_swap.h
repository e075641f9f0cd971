// The one way tests replace platform calls: entries of a deliverable's call table swapped for a scope, the table restored whole.
#pragma once

// Saves `table` (g_setupSyscalls, g_addinSyscalls) when made and puts all of it back when it
// ends, whatever was swapped in between. Swaps made through another SyscallSwap inside its
// scope are undone by that one first, as scopes nest.
template <class Table>
class SyscallSwap {
    template <class T>
    struct Same {
        using type = T;
    };

public:
    explicit SyscallSwap(Table& table) : table_(table), saved_(table) {}
    ~SyscallSwap() { table_ = saved_; }
    SyscallSwap(const SyscallSwap&) = delete;
    SyscallSwap& operator=(const SyscallSwap&) = delete;

    // Routes one call of the table to `fake`, a function of the entry's own type (WINAPI for
    // the Windows calls), until this swap ends.
    template <class Call>
    SyscallSwap& Use(Call Table::*entry, typename Same<Call>::type fake) {
        table_.*entry = fake;
        return *this;
    }

private:
    Table& table_;
    const Table saved_;
};
