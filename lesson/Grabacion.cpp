#include "lesson/Grabacion.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/platform.h"

namespace {

constexpr uint16_t kFormatoPcm = 1;
constexpr uint16_t kFormatoExtensible = 0xFFFE;
// The PCM subtype's GUID, as a WAVEFORMATEXTENSIBLE's last 16 bytes hold it.
constexpr uint8_t kSubtipoPcm[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                     0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
// The highest rate in common use, which keeps every count of frames and
// bytes within 64 bits.
constexpr uint32_t kFrecuenciaMaxima = 384000;
// A file is read in pieces of this many bytes.
constexpr DWORD kPedazo = 64 * 1024;

uint16_t Leer16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t Leer32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void Escribir(std::vector<uint8_t>* imagen, const char* cuatro) {
  imagen->insert(imagen->end(), cuatro, cuatro + 4);
}

void Escribir32(std::vector<uint8_t>* imagen, uint32_t valor) {
  for (int i = 0; i < 4; ++i) imagen->push_back(static_cast<uint8_t>(valor >> (8 * i)));
}

// Reads a "fmt " chunk's body, of `bytes` bytes; why it cannot be joined, or
// null.
const char* LeerFormato(const uint8_t* cuerpo, uint32_t bytes, Grabacion* g) {
  if (bytes < 16) return "its format chunk is too short";
  uint16_t etiqueta = Leer16(cuerpo);
  if (etiqueta == kFormatoExtensible && bytes >= 40 && Leer16(cuerpo + 16) >= 22 &&
      std::memcmp(cuerpo + 24, kSubtipoPcm, sizeof kSubtipoPcm) == 0) {
    etiqueta = kFormatoPcm;
  }
  g->canales = Leer16(cuerpo + 2);
  g->frecuencia = Leer32(cuerpo + 4);
  g->bits = Leer16(cuerpo + 14);
  if (etiqueta != kFormatoPcm) return "it is not plain PCM";
  if (g->bits != 8 && g->bits != 16 && g->bits != 24 && g->bits != 32) {
    return "its samples are not of 8, 16, 24 or 32 bits";
  }
  if (g->canales == 0) return "it has no channels";
  if (g->frecuencia == 0 || g->frecuencia > kFrecuenciaMaxima) {
    return "its rate is not 1 to 384,000 frames a second";
  }
  if (Leer16(cuerpo + 12) != g->canales * g->bits / 8) return "its frames are not whole samples";
  g->formato = cuerpo;
  g->bytesFormato = bytes;
  return nullptr;
}

size_t BytesPorCuadro(const Grabacion& g) { return size_t{g.canales} * g.bits / 8; }

// Frame `cuadro` of g, its channels' mean, on the scale of 16 bits.
double Mono(const Grabacion& g, size_t cuadro) {
  const size_t ancho = g.bits / 8;
  const uint8_t* p = g.datos + cuadro * BytesPorCuadro(g);
  double suma = 0;
  for (uint16_t canal = 0; canal < g.canales; ++canal, p += ancho) {
    // 8-bit samples are unsigned; wider ones are signed, their top two
    // bytes last.
    suma += ancho == 1 ? (p[0] - 128) * 256.0 : static_cast<int16_t>(Leer16(p + ancho - 2));
  }
  return suma / g.canales;
}

// How many frames g has at `frecuencia` frames a second.
uint64_t Cuadros(const Grabacion& g, uint32_t frecuencia) {
  return uint64_t{g.bytesDatos / BytesPorCuadro(g)} * frecuencia / g.frecuencia;
}

// Appends g's samples in mono, 16 bits, at `frecuencia`, each taken on the
// straight line between the two frames of g around its time.
void AgregarMono(const Grabacion& g, uint32_t frecuencia, std::vector<uint8_t>* imagen) {
  const size_t propios = g.bytesDatos / BytesPorCuadro(g);
  const uint64_t cuadros = Cuadros(g, frecuencia);
  for (uint64_t j = 0; j < cuadros; ++j) {
    const uint64_t escalado = j * g.frecuencia;
    const size_t i = static_cast<size_t>(escalado / frecuencia);
    const double fraccion = static_cast<double>(escalado % frecuencia) / frecuencia;
    double valor = Mono(g, i);
    if (fraccion > 0 && i + 1 < propios) valor += (Mono(g, i + 1) - valor) * fraccion;
    const long muestra = std::lround(std::min(32767.0, std::max(-32768.0, valor)));
    imagen->push_back(static_cast<uint8_t>(muestra & 0xFF));
    imagen->push_back(static_cast<uint8_t>((muestra >> 8) & 0xFF));
  }
}

}  // namespace

bool Grabacion::NombreSimple(const char* nombre) { return std::strpbrk(nombre, "/\\:") == nullptr; }

Grabacion::Origen Grabacion::Buscar(const char* nombre) {
  razon = nullptr;
  recurso = nullptr;
  const HRSRC encontrado = FindResourceA(nullptr, nombre, "WAVE");
  if (encontrado != nullptr) {
    const HGLOBAL cargado = LoadResource(nullptr, encontrado);
    recurso = static_cast<const uint8_t*>(cargado != nullptr ? LockResource(cargado) : nullptr);
    razon = recurso != nullptr ? Leer(recurso, SizeofResource(nullptr, encontrado))
                               : "it cannot be loaded";
    return Origen::kRecurso;
  }
  if (!NombreSimple(nombre) || !LeerArchivo(nombre)) return Origen::kNinguno;
  if (razon == nullptr) razon = Leer(archivo.data(), archivo.size());
  return Origen::kArchivo;
}

bool Grabacion::LeerArchivo(const char* nombre) {
  const HANDLE archivoAbierto = CreateFileA(nombre, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (archivoAbierto == INVALID_HANDLE_VALUE) return false;
  archivo.clear();
  for (;;) {
    const size_t antes = archivo.size();
    archivo.resize(antes + kPedazo);
    DWORD leidos = 0;
    if (!ReadFile(archivoAbierto, archivo.data() + antes, kPedazo, &leidos, nullptr)) {
      razon = "it cannot be read";
      break;
    }
    archivo.resize(antes + leidos);
    if (leidos == 0) break;
    if (archivo.size() > kBytesMaximos) {
      razon = "it is longer than 16 MiB";
      break;
    }
  }
  CloseHandle(archivoAbierto);
  return true;
}

const char* Grabacion::Leer(const uint8_t* bytes, size_t tamano) {
  formato = nullptr;
  datos = nullptr;
  if (tamano < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
    return "it is not a RIFF WAVE";
  }
  const size_t fin =
      static_cast<size_t>(std::min<uint64_t>(tamano, 8 + uint64_t{Leer32(bytes + 4)}));
  for (size_t en = 12; (formato == nullptr || datos == nullptr) && en + 8 <= fin;) {
    const uint8_t* trozo = bytes + en;
    const uint32_t largo = Leer32(trozo + 4);
    if (largo > fin - en - 8) return "a chunk runs past its end";
    if (formato == nullptr && std::memcmp(trozo, "fmt ", 4) == 0) {
      if (const char* fallo = LeerFormato(trozo + 8, largo, this)) return fallo;
    } else if (datos == nullptr && std::memcmp(trozo, "data", 4) == 0) {
      datos = trozo + 8;
      bytesDatos = largo;
    }
    // Chunks are padded to an even length.
    en += 8 + size_t{largo} + (largo & 1);
  }
  if (formato == nullptr) return "it has no format chunk";
  if (datos == nullptr) return "it has no data chunk";
  bytesDatos -= bytesDatos % BytesPorCuadro(*this);
  return nullptr;
}

double Grabacion::Segundos() const {
  return double(bytesDatos / BytesPorCuadro(*this)) / frecuencia;
}

std::vector<uint8_t> Grabacion::Unir(const Grabacion& primera, const Grabacion& segunda) {
  const bool igual = primera.canales == segunda.canales &&
                     primera.frecuencia == segunda.frecuencia && primera.bits == segunda.bits;
  const uint8_t* formato = segunda.formato;
  uint32_t bytesFormato = segunda.bytesFormato;
  uint64_t bytesDatos = uint64_t{primera.bytesDatos} + segunda.bytesDatos;
  // Otherwise, the "fmt " chunk of mono 16-bit PCM at segunda's rate.
  std::vector<uint8_t> mono;
  if (!igual) {
    for (const uint32_t valor :
         {kFormatoPcm | 1u << 16, segunda.frecuencia, segunda.frecuencia * 2, 2u | 16u << 16}) {
      Escribir32(&mono, valor);
    }
    formato = mono.data();
    bytesFormato = static_cast<uint32_t>(mono.size());
    bytesDatos = 2 * (Cuadros(primera, segunda.frecuencia) + Cuadros(segunda, segunda.frecuencia));
  }
  const uint64_t bytes =
      12 + 8 + uint64_t{bytesFormato} + (bytesFormato & 1) + 8 + bytesDatos + (bytesDatos & 1);
  if (bytes > kBytesUnidosMaximos) return {};
  std::vector<uint8_t> imagen;
  imagen.reserve(static_cast<size_t>(bytes));
  Escribir(&imagen, "RIFF");
  Escribir32(&imagen, static_cast<uint32_t>(bytes - 8));
  Escribir(&imagen, "WAVE");
  Escribir(&imagen, "fmt ");
  Escribir32(&imagen, bytesFormato);
  imagen.insert(imagen.end(), formato, formato + bytesFormato);
  if (bytesFormato & 1) imagen.push_back(0);
  Escribir(&imagen, "data");
  Escribir32(&imagen, static_cast<uint32_t>(bytesDatos));
  if (igual) {
    imagen.insert(imagen.end(), primera.datos, primera.datos + primera.bytesDatos);
    imagen.insert(imagen.end(), segunda.datos, segunda.datos + segunda.bytesDatos);
  } else {
    AgregarMono(primera, segunda.frecuencia, &imagen);
    AgregarMono(segunda, segunda.frecuencia, &imagen);
  }
  if (bytesDatos & 1) imagen.push_back(0);
  return imagen;
}
