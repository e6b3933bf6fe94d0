# Sourced by run.sh and test.sh: installs the Debian packages the build needs when missing.
packages=(cmake g++ pkg-config qt6-base-dev qt6-svg-dev qt6-charts-dev libjpeg-dev libzip-dev libqt6sql6-sqlite libsqlite3-dev libgtest-dev libbenchmark-dev ccache poppler-utils fonts-dejavu-core python3-openpyxl python3-docx)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        # Another install may hold dpkg's lock: wait for it rather than fail.
        wait_lock=(-o DPkg::Lock::Timeout=600)
        apt-get "${wait_lock[@]}" update -qq
        DEBIAN_FRONTEND=noninteractive apt-get "${wait_lock[@]}" install -y -qq "${missing[@]}"
    else
        echo "Missing packages. Install them with:"
        echo "  sudo apt-get install -y ${missing[*]}"
        exit 1
    fi
fi
