// afxsock.h - Windows Sockets start-up for the program.
#ifndef PELLUCOR_AFXSOCK_H
#define PELLUCOR_AFXSOCK_H

#include <winsock2.h>
#include "afx.h"

// Starts Windows Sockets (version 2.2, else 1.1) once per process and stops
// it at exit. Further calls only copy the start-up data. FALSE when no usable
// version is available.
BOOL AFXAPI AfxSocketInit(WSADATA* lpwsaData = NULL);
// Stops Windows Sockets now if AfxSocketInit started it (also run at exit).
void AFXAPI AfxSocketTerm();

#endif // PELLUCOR_AFXSOCK_H
