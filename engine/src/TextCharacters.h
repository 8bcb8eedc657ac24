// The characters a text object lays out: those of a text up to its length or
// its terminating NUL, whichever comes first, with CR left out.
#pragma once

namespace engine {

class TextCharacters {
public:
    TextCharacters(const char16_t* text, int length) : text_(text), end_(text + (length > 0 ? length : 0)) {}

    class Iterator {
    public:
        Iterator(const char16_t* at, const char16_t* end) : at_(at), end_(end) { SkipCarriageReturns(); }
        char16_t operator*() const { return *at_; }
        Iterator& operator++()
        {
            ++at_;
            SkipCarriageReturns();
            return *this;
        }
        bool operator!=(const Iterator& other) const { return at_ != other.at_; }

    private:
        void SkipCarriageReturns()
        {
            while (at_ != end_ && *at_ == u'\r')
                ++at_;
            if (at_ != end_ && *at_ == 0)
                at_ = end_;
        }
        const char16_t* at_;
        const char16_t* end_;
    };

    Iterator begin() const { return Iterator(text_, end_); }
    Iterator end() const { return Iterator(end_, end_); }

private:
    const char16_t* text_;
    const char16_t* end_;
};

} // namespace engine
