#pragma once

#include <cstddef>
#include <memory>
#include <utility>

// What an edit may change of one element, kept aside so that undo and redo can put it
// back: a copy of the element's own fields, without its identity (the serial) and
// without what it holds only during a gesture (a grabbed handle).
class CElementState {
public:
    virtual ~CElementState() = default;
    // The memory it holds, for the edit history's budget.
    virtual std::size_t Size() const = 0;
    // The same fields as the other state of the same element.
    virtual bool Equals(const CElementState& other) const = 0;
};

// The state of one kind of element: a struct of its fields.
template <class Fields> class TElementState final : public CElementState {
public:
    TElementState(Fields fields, std::size_t extra)
        : m_fields(std::move(fields)), m_nExtra(extra) {}
    std::size_t Size() const override { return sizeof(*this) + m_nExtra; }
    bool Equals(const CElementState& other) const override {
        const auto* same = dynamic_cast<const TElementState*>(&other);
        return same && same->m_fields == m_fields;
    }
    const Fields& Get() const { return m_fields; }

private:
    Fields m_fields;
    std::size_t m_nExtra;
};

// Fields kept as a state; extra counts what they hold on the heap.
template <class Fields>
std::unique_ptr<CElementState> MakeElementState(Fields fields, std::size_t extra = 0) {
    return std::make_unique<TElementState<Fields>>(std::move(fields), extra);
}

template <class Fields> const Fields& FieldsOfState(const CElementState& state) {
    return static_cast<const TElementState<Fields>&>(state).Get();
}
