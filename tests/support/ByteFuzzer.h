// A fixed-seed mutator for fuzzing readers of outside data (files, registry
// values, clipboard and drag blocks, stored records). Readers fail on the
// fields that size or place things, so besides random bytes it writes
// little-endian fields at any offset with the values that break arithmetic:
// 0, 1, -1, 2^31, 2^32-1, the input's own length and one past it.
// The seed is fixed: a failing case is reproduced by its number.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

class CByteFuzzer
{
public:
    explicit CByteFuzzer(unsigned nSeed = 20261210) : m_random(nSeed) {}

    unsigned Below(unsigned n) { return n ? (unsigned)(m_random() % n) : 0; }

    // A value that breaks size or offset arithmetic, for a buffer of nLength bytes.
    uint32_t Extreme(size_t nLength)
    {
        const uint32_t values[] = {0u, 1u, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 0xFFFFu, 0x8000u,
                                   (uint32_t)nLength, (uint32_t)nLength + 1, (uint32_t)nLength - 1,
                                   0x40000001u, 0x10000u};
        return values[Below((unsigned)(sizeof values / sizeof values[0]))];
    }

    // One mutation of a byte buffer; applied 1..nMaxChanges times by Mutate.
    void MutateOnce(std::vector<unsigned char>& bytes)
    {
        size_t nLength = bytes.size();
        switch (Below(nLength ? 7 : 2)) {
        case 0: // grow: random bytes appended
            for (unsigned i = 0, n = 1 + Below(64); i < n; i++)
                bytes.push_back((unsigned char)Below(256));
            break;
        case 1: // a field of extremes appended (a header cut short gets one)
            PutField(bytes, nLength, Extreme(nLength), 4);
            break;
        case 2: // one byte at random
            bytes[Below((unsigned)nLength)] = (unsigned char)Below(256);
            break;
        case 3: { // a 1, 2 or 4-byte field at any offset set to an extreme
            static const int widths[] = {1, 2, 4};
            PutField(bytes, Below((unsigned)nLength), Extreme(nLength), widths[Below(3)]);
            break;
        }
        case 4: // cut short
            bytes.resize(Below((unsigned)nLength));
            break;
        case 5: { // a run removed
            size_t nAt = Below((unsigned)nLength);
            size_t nCount = 1 + Below((unsigned)(nLength - nAt));
            bytes.erase(bytes.begin() + (std::ptrdiff_t)nAt, bytes.begin() + (std::ptrdiff_t)(nAt + nCount));
            break;
        }
        default: { // a run repeated
            size_t nAt = Below((unsigned)nLength);
            size_t nCount = 1 + Below((unsigned)std::min<size_t>(nLength - nAt, 256));
            std::vector<unsigned char> run(bytes.begin() + (std::ptrdiff_t)nAt,
                                           bytes.begin() + (std::ptrdiff_t)(nAt + nCount));
            bytes.insert(bytes.begin() + (std::ptrdiff_t)nAt, run.begin(), run.end());
            break;
        }
        }
    }

    std::vector<unsigned char> Mutate(std::vector<unsigned char> bytes, unsigned nMaxChanges = 4)
    {
        for (unsigned i = 0, n = 1 + Below(nMaxChanges); i < n; i++)
            MutateOnce(bytes);
        return bytes;
    }

    std::string Mutate(const std::string& text, unsigned nMaxChanges = 4)
    {
        std::vector<unsigned char> bytes = Mutate(std::vector<unsigned char>(text.begin(), text.end()), nMaxChanges);
        return std::string(bytes.begin(), bytes.end());
    }

    // A decimal text of an extreme (for text formats: numbers in INI-like
    // records, registry strings).
    std::string ExtremeText(size_t nLength)
    {
        const char* const texts[] = {"0", "1", "-1", "2147483648", "4294967295", "-2147483648", "2147483647",
                                     "99999999999999999999", "", "x"};
        (void)nLength;
        return texts[Below((unsigned)(sizeof texts / sizeof texts[0]))];
    }

private:
    static void PutField(std::vector<unsigned char>& bytes, size_t nAt, uint32_t nValue, int nWidth)
    {
        if (bytes.size() < nAt + (size_t)nWidth)
            bytes.resize(nAt + (size_t)nWidth);
        for (int i = 0; i < nWidth; i++)
            bytes[nAt + (size_t)i] = (unsigned char)(nValue >> (8 * i));
    }

    std::mt19937 m_random;
};
