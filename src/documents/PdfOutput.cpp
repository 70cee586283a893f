// PdfOutput
