// Shared ownership for the widget layer's objects: whoever holds an object
// calls remember() once, and forget() when done; the last forget() deletes it.
// A new object starts with the creator's one reference. Used on the editor's
// thread only.
#pragma once

class CReferenceCounter {
public:
    CReferenceCounter() = default;
    virtual ~CReferenceCounter() = default;
    CReferenceCounter(const CReferenceCounter&) = delete;
    CReferenceCounter& operator=(const CReferenceCounter&) = delete;

    void remember() { ++references; }
    void forget() {
        if (--references == 0) delete this;
    }
    int getNbReference() const { return references; }

private:
    int references = 1;
};
