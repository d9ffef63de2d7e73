// A scratch folder per test, removed with everything in it at the end.
#pragma once
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include <dirent.h>
#include <unistd.h>

class TCarpetaTemporal {
  public:
    TCarpetaTemporal() {
        std::string plantilla = "/tmp/zuvelo-test-XXXXXX";
        ruta_ = mkdtemp(plantilla.data()) ? plantilla : std::string();
    }
    ~TCarpetaTemporal() { std::system(("rm -rf '" + ruta_ + "'").c_str()); }
    const std::string &Ruta() const { return ruta_; }
    std::string operator/(const std::string &nombre) const { return ruta_ + "/" + nombre; }
    // Names of the files now in the folder, sorted.
    std::vector<std::string> Archivos() const {
        std::vector<std::string> r;
        if (DIR *d = opendir(ruta_.c_str())) {
            while (dirent *e = readdir(d))
                if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") r.push_back(e->d_name);
            closedir(d);
        }
        std::sort(r.begin(), r.end());
        return r;
    }

  private:
    std::string ruta_;
};

inline void EscribirArchivo(const std::string &ruta, const std::string &bytes) {
    std::ofstream f(ruta, std::ios::binary);
    f << bytes;
}

inline std::string LeerArchivo(const std::string &ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline bool Existe(const std::string &ruta) {
    return access(ruta.c_str(), F_OK) == 0;
}
