// Adds a certificate authority to the Root store of the machine the prefix stands for, so that
// WinINet trusts a test server's certificate inside this one throw-away prefix and nowhere else.
//   trust_ca <certificate.der>
// clang-format off
#include <windows.h>
#include <wincrypt.h>
// clang-format on

#include <string>

#include "tool_text.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    const std::string der = ReadWholeFile(argv[1]);
    if (der.empty()) return 3;
    const HCERTSTORE store =
        ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
    if (!store) return 4;
    const BOOL added = ::CertAddEncodedCertificateToStore(
        store, X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()), static_cast<DWORD>(der.size()),
        CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    ::CertCloseStore(store, 0);
    Print(added ? L"trusted" : L"refused");
    return added ? 0 : 5;
}
