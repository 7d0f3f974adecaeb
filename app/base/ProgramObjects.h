#pragma once
// The owner of the program-wide objects (dmGDVorn, fmGDVORN, dmEntradaDados ...): it creates each into
// its program-wide variable and frees them all in reverse order of creation, clearing each variable.
// The program's start-up holds one; tests hold one through their fixture. Nothing else frees them.

#include <functional>
#include <utility>
#include <vector>

namespace gdvorn {

class ProgramObjects {
public:
    ProgramObjects() = default;
    ~ProgramObjects() { freeAll(); }
    ProgramObjects(const ProgramObjects &) = delete;
    ProgramObjects &operator=(const ProgramObjects &) = delete;

    // Creates a T into `variable` (which must outlive this owner) and returns it.
    template <class T, class... A>
    T *create(T *&variable, A &&...args)
    {
        variable = new T(std::forward<A>(args)...);
        T **target = &variable;
        m_free.push_back([target] {
            delete *target;
            *target = nullptr;
        });
        return variable;
    }

    // Takes the freeing of an object made elsewhere (a start-up step of a unit the program links): it runs
    // in the same reverse order as the others. An empty function is ignored.
    void adopt(std::function<void()> free)
    {
        if (free)
            m_free.push_back(std::move(free));
    }

    void freeAll()
    {
        while (!m_free.empty()) {
            auto free = std::move(m_free.back());
            m_free.pop_back();
            free();
        }
    }
    bool isEmpty() const { return m_free.empty(); }

private:
    std::vector<std::function<void()>> m_free;
};

} // namespace gdvorn
