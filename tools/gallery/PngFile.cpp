#include "tools/gallery/PngFile.h"

#include <windows.h>
#include <wincodec.h>

namespace {

// Holds one COM interface pointer and lets it go.
template <class T>
class TComRef {
 public:
  TComRef() = default;
  ~TComRef() {
    if (p_) p_->Release();
  }
  TComRef(const TComRef&) = delete;
  TComRef& operator=(const TComRef&) = delete;
  T** Out() { return &p_; }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }

 private:
  T* p_ = nullptr;
};

// COM for this thread while the object lives (when it was not on yet).
class TComScope {
 public:
  TComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~TComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  TComScope(const TComScope&) = delete;
  TComScope& operator=(const TComScope&) = delete;

 private:
  HRESULT result_;
};

bool MakeFactory(TComRef<IWICImagingFactory>& factory) {
  return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(factory.Out())));
}

std::wstring Failure(const wchar_t* what, HRESULT hr) {
  wchar_t code[16];
  wsprintfW(code, L"%08X", static_cast<unsigned>(hr));
  return std::wstring(what) + L" (0x" + code + L")";
}

}  // namespace

bool WritePngFile(const std::wstring& path, const TPngPixels& pixels, std::wstring& error) {
  const TComScope com;
  TComRef<IWICImagingFactory> factory;
  if (!MakeFactory(factory)) {
    error = L"the imaging component is not available";
    return false;
  }
  TComRef<IWICStream> stream;
  TComRef<IWICBitmapEncoder> encoder;
  TComRef<IWICBitmapFrameEncode> frame;
  HRESULT hr = factory->CreateStream(stream.Out());
  if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
  if (FAILED(hr)) {
    error = Failure(L"cannot open the file for writing", hr);
    return false;
  }
  hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out());
  if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
  if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(frame.Out(), nullptr);
  if (SUCCEEDED(hr)) hr = frame->Initialize(nullptr);
  if (SUCCEEDED(hr)) {
    hr = frame->SetSize(static_cast<UINT>(pixels.width), static_cast<UINT>(pixels.height));
  }
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
  if (SUCCEEDED(hr) && format != GUID_WICPixelFormat24bppBGR) hr = E_FAIL;
  const UINT stride = static_cast<UINT>(pixels.width) * 3;
  if (SUCCEEDED(hr)) {
    hr = frame->WritePixels(static_cast<UINT>(pixels.height), stride,
                            static_cast<UINT>(pixels.bgr.size()),
                            const_cast<BYTE*>(pixels.bgr.data()));
  }
  if (SUCCEEDED(hr)) hr = frame->Commit();
  if (SUCCEEDED(hr)) hr = encoder->Commit();
  if (FAILED(hr)) {
    error = Failure(L"cannot write the picture", hr);
    return false;
  }
  return true;
}

bool ReadPngFile(const std::wstring& path, TPngPixels& pixels) {
  const TComScope com;
  TComRef<IWICImagingFactory> factory;
  if (!MakeFactory(factory)) return false;
  TComRef<IWICBitmapDecoder> decoder;
  TComRef<IWICBitmapFrameDecode> frame;
  TComRef<IWICFormatConverter> converter;
  HRESULT hr = factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Out());
  GUID container{};
  if (SUCCEEDED(hr)) hr = decoder->GetContainerFormat(&container);
  if (SUCCEEDED(hr) && container != GUID_ContainerFormatPng) hr = E_FAIL;
  if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, frame.Out());
  if (SUCCEEDED(hr)) hr = factory->CreateFormatConverter(converter.Out());
  if (SUCCEEDED(hr)) {
    hr = converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone,
                               nullptr, 0.0, WICBitmapPaletteTypeCustom);
  }
  UINT width = 0, height = 0;
  if (SUCCEEDED(hr)) hr = converter->GetSize(&width, &height);
  if (FAILED(hr)) return false;
  pixels.width = static_cast<int>(width);
  pixels.height = static_cast<int>(height);
  pixels.bgr.assign(static_cast<size_t>(width) * height * 3, 0);
  return SUCCEEDED(converter->CopyPixels(nullptr, width * 3, static_cast<UINT>(pixels.bgr.size()),
                                         pixels.bgr.data()));
}
