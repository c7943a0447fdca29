// oleimpl.h - what the layer's OLE sources share (not for users).
#pragma once

#include <afxole.h>
#include <new>

// COM methods must not let an exception out into OLE: it is turned into the
// HRESULT that describes it best.
template <class F>
inline HRESULT ComBoundary(F body)
{
    try {
        return body();
    } catch (CMemoryException* e) {
        e->Delete();
        return E_OUTOFMEMORY;
    } catch (COleException* e) {
        HRESULT hr = e->m_sc;
        e->Delete();
        return FAILED(hr) ? hr : E_UNEXPECTED;
    } catch (CException* e) {
        TRACE("exception at the OLE boundary\n");
        e->Delete();
        return E_UNEXPECTED;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
