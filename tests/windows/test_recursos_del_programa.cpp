// The program's own resources as Windows reads them, in the Windows build:
// the application manifest through an activation context (the loader's own
// reading of it), the icon at each of its sizes, and the version
// information that the file's Properties show.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/recursos.h"

namespace {

// contapuntos.exe, in the folder above the tests' own.
std::wstring Programa() {
  wchar_t ruta[MAX_PATH];
  std::wstring programa(ruta, GetModuleFileNameW(nullptr, ruta, MAX_PATH));
  for (int i = 0; i < 2; ++i) programa.erase(programa.find_last_of(L'\\'));
  return programa + L"\\contapuntos.exe";
}

// The program's resources, without running it.
class ProgramResources : public ::testing::Test {
 protected:
  void SetUp() override {
    modulo = LoadLibraryExW(programa.c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(modulo, nullptr) << "cannot open the program, error " << GetLastError();
  }
  void TearDown() override {
    if (modulo != nullptr) FreeLibrary(modulo);
  }
  std::string Recurso(LPCSTR nombre, LPCSTR tipo) const {
    const HRSRC info = FindResourceA(modulo, nombre, tipo);
    if (info == nullptr) return "";
    const char* datos = static_cast<const char*>(LockResource(LoadResource(modulo, info)));
    return std::string(datos, SizeofResource(modulo, info));
  }

  const std::wstring programa = Programa();
  HMODULE modulo = nullptr;
};

TEST_F(ProgramResources, TheManifestMakesItPerMonitorDpiAwareAsInvokerForWindows7To11) {
  ACTCTXW pedido = {};
  pedido.cbSize = sizeof pedido;
  pedido.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  pedido.lpSource = programa.c_str();
  // CREATEPROCESS_MANIFEST_RESOURCE_ID, the one the loader reads at start.
  pedido.lpResourceName = MAKEINTRESOURCEW(1);
  const HANDLE contexto = CreateActCtxW(&pedido);
  ASSERT_NE(contexto, INVALID_HANDLE_VALUE)
      << "the loader reads no manifest from the program, error " << GetLastError();

  const struct {
    const wchar_t* espacio;
    const wchar_t* nombre;
    const wchar_t* valor;
  } ajustes[] = {
      {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness",
       L"PerMonitorV2, PerMonitor"},
      {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true/pm"}};
  for (const auto& ajuste : ajustes) {
    wchar_t valor[64] = {};
    SIZE_T largo = 0;
    EXPECT_TRUE(QueryActCtxSettingsW(0, contexto, ajuste.espacio, ajuste.nombre, valor, 64, &largo))
        << "no " << ajuste.nombre << ", error " << GetLastError();
    EXPECT_EQ(std::wstring(valor), ajuste.valor);
  }
  ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION nivel = {};
  EXPECT_TRUE(QueryActCtxW(0, contexto, nullptr, RunlevelInformationInActivationContext, &nivel,
                           sizeof nivel, nullptr));
  EXPECT_EQ(nivel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
  ReleaseActCtx(contexto);

  // The supportedOS ids of Windows 7, 8, 8.1 and 10 (11 reads 10's).
  const std::string manifiesto = Recurso(CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
  for (const char* sistema :
       {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
    EXPECT_NE(manifiesto.find(std::string("<supportedOS Id=\"") + sistema + "\"/>"),
              std::string::npos)
        << "expected supportedOS " << sistema;
  }
}

// The icon group lists each size once, and each image is one Windows makes
// an icon of.
TEST_F(ProgramResources, TheIconHasEverySizeFrom16To256) {
  const std::string grupo = Recurso(MAKEINTRESOURCEA(IDI_CONTAPUNTOS), RT_GROUP_ICON);
  ASSERT_GE(grupo.size(), 6u) << "no icon group " << IDI_CONTAPUNTOS;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(grupo.at(i)); };
  const unsigned imagenes = byte(4) | byte(5) << 8;
  std::vector<unsigned> lados;
  for (unsigned i = 0; i < imagenes; ++i) {
    // GRPICONDIRENTRY: 14 bytes, width first (0 for 256), id last.
    const std::size_t entrada = 6 + 14 * i;
    const unsigned lado = byte(entrada) == 0 ? 256 : byte(entrada);
    lados.push_back(lado);
    const std::string imagen =
        Recurso(MAKEINTRESOURCEA(byte(entrada + 12) | byte(entrada + 13) << 8), RT_ICON);
    const HICON icono =
        CreateIconFromResourceEx(reinterpret_cast<PBYTE>(const_cast<char*>(imagen.data())),
                                 imagen.size(), TRUE, 0x00030000, lado, lado, LR_DEFAULTCOLOR);
    EXPECT_NE(icono, nullptr) << "the " << lado << "-pixel image is no icon";
    if (icono != nullptr) DestroyIcon(icono);
  }
  EXPECT_EQ(lados, (std::vector<unsigned>{16, 24, 32, 48, 64, 256}));
}

TEST_F(ProgramResources, TheVersionInformationNamesTheProductAndItsVersion) {
  const DWORD tamano = GetFileVersionInfoSizeW(programa.c_str(), nullptr);
  ASSERT_GT(tamano, 0u) << "no version information, error " << GetLastError();
  std::vector<char> bloque(tamano);
  ASSERT_TRUE(GetFileVersionInfoW(programa.c_str(), 0, tamano, bloque.data()));

  VS_FIXEDFILEINFO* fija = nullptr;
  UINT largo = 0;
  ASSERT_TRUE(VerQueryValueW(bloque.data(), L"\\", reinterpret_cast<void**>(&fija), &largo));
  const std::string numeros = std::to_string(HIWORD(fija->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fija->dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(fija->dwFileVersionLS));
  EXPECT_EQ(numeros, VERSION_PROGRAMA);

  const struct {
    const wchar_t* clave;
    const wchar_t* valor;
  } textos[] = {{L"ProductName", L"Contapuntos"},       {L"ProductVersion", L"" VERSION_PROGRAMA},
                {L"FileVersion", L"" VERSION_PROGRAMA}, {L"OriginalFilename", L"contapuntos.exe"},
                {L"FileDescription", nullptr},          {L"LegalCopyright", nullptr},
                {L"CompanyName", nullptr}};
  for (const auto& texto : textos) {
    wchar_t* valor = nullptr;
    const std::wstring ruta = std::wstring(L"\\StringFileInfo\\040904B0\\") + texto.clave;
    ASSERT_TRUE(
        VerQueryValueW(bloque.data(), ruta.c_str(), reinterpret_cast<void**>(&valor), &largo))
        << "no " << texto.clave;
    if (texto.valor != nullptr) {
      EXPECT_EQ(std::wstring(valor), texto.valor) << texto.clave;
    } else {
      EXPECT_GT(largo, 1u) << texto.clave << " is empty";
    }
  }
}

}  // namespace
